#pragma once

#include <Qt>

// Pushes application override cursors and pops every one it pushed when it goes out of scope.
class CMVChangeCursor
{
public:
    CMVChangeCursor();
    explicit CMVChangeCursor(Qt::CursorShape shape);
    virtual ~CMVChangeCursor();

    CMVChangeCursor(const CMVChangeCursor&) = delete;
    CMVChangeCursor& operator=(const CMVChangeCursor&) = delete;

    void SetOverrideCursor(Qt::CursorShape shape);
    // Pops one cursor this object pushed; does nothing when none is left.
    void UnsetOverrideCursor();
    int GetPushCount() const { return m_nPushed; }

private:
    int m_nPushed;
};
