#include "CMVQtFileDlg.h"

#include "CVLFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QWidget>

CMVQtFileDlg::CMVQtFileDlg(QWidget* parent) : QObject(parent) {}

CMVQtFileDlg::~CMVQtFileDlg() = default;

bool CMVQtFileDlg::getOpenFileName(const QString& startPath, const QString& filter, const QString& caption,
                                   CVLString* selectedFilter, bool native)
{
    QWidget* parentWidget = qobject_cast<QWidget*>(parent());
    QFileDialog::Options options;
    if (!native)
        options |= QFileDialog::DontUseNativeDialog;
    QString picked;
    const QString chosen = QFileDialog::getOpenFileName(parentWidget, caption, startPath, filter, &picked, options);

    bool result = false;
    // A dangling link does not count as the file.
    if (!chosen.isEmpty() && CVLFile::DoesFileExist(CVLString(chosen), true))
    {
        m_FileName = QDir::toNativeSeparators(chosen);
        if (selectedFilter)
            *selectedFilter = picked;
        result = true;
    }
    QCoreApplication::processEvents();
    return result;
}
