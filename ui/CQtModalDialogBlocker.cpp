#include "CQtModalDialogBlocker.h"

#include "CVLQtMessageBox.h"

CQtModalDialogBlocker::CQtModalDialogBlocker()
{
    CVLQtMessageBox::IncrementBlockCount();
}

CQtModalDialogBlocker::~CQtModalDialogBlocker()
{
    CVLQtMessageBox::DecrementBlockCount();
}
