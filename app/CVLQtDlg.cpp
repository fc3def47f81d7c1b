#include "CVLQtDlg.h"

#include <QApplication>

CVLQtDlg::CVLQtDlg(QWidget* parent, const char* name, Qt::WindowFlags flags) : CMVQtDlg(parent, name, flags) {}

CVLQtDlg::~CVLQtDlg() = default;

void CVLQtDlg::HandleLookupObjectChanged(unsigned /*lookupType*/, unsigned /*objectID*/) {}

void CVLQtDlg::accept()
{
    QDialog::accept();
    QWidget* parent = parentWidget();
    if (parent && parent != QApplication::activeWindow())
        parent->activateWindow();
}
