#pragma once

#include "CVLString.h"

#include <QObject>
#include <QString>

class QWidget;

// Wraps the system's open-file dialog; the chosen path is kept in the object.
class CMVQtFileDlg : public QObject
{
    Q_OBJECT

public:
    explicit CMVQtFileDlg(QWidget* parent);
    ~CMVQtFileDlg() override;

    // False when the user cancels or picks a path that does not exist (a link counts only when
    // it resolves); otherwise the path, in native separators, is readable with GetFileName().
    // selectedFilter (may be null) receives the filter the user picked.
    bool getOpenFileName(const QString& startPath, const QString& filter, const QString& caption,
                         CVLString* selectedFilter, bool native);

    const CVLString& GetFileName() const { return m_FileName; }

private:
    CVLString m_FileName;
};
