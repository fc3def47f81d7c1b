#pragma once

#include "CMVQtDlg.h"

// The redirector family's dialog base: after accepting, the caller's window is brought back.
class CVLQtDlg : public CMVQtDlg
{
    Q_OBJECT

public:
    CVLQtDlg(QWidget* parent, const char* name, Qt::WindowFlags flags = mgDefaultWindowCreationFlags);
    ~CVLQtDlg() override;

    // Does nothing here.
    virtual void HandleLookupObjectChanged(unsigned lookupType, unsigned objectID);

public slots:
    void accept() override;
};
