#include "CMVChangeCursor.h"

#include <QApplication>
#include <QCursor>

CMVChangeCursor::CMVChangeCursor() : m_nPushed(0) {}

CMVChangeCursor::CMVChangeCursor(Qt::CursorShape shape) : m_nPushed(0)
{
    SetOverrideCursor(shape);
}

CMVChangeCursor::~CMVChangeCursor()
{
    while (m_nPushed > 0)
        UnsetOverrideCursor();
}

void CMVChangeCursor::SetOverrideCursor(Qt::CursorShape shape)
{
    QApplication::setOverrideCursor(QCursor(shape));
    ++m_nPushed;
}

void CMVChangeCursor::UnsetOverrideCursor()
{
    if (m_nPushed <= 0)
        return;
    QApplication::restoreOverrideCursor();
    --m_nPushed;
}
