#pragma once

#include "CVLString.h"

#include <QMessageBox>

class CVLStringList;
class QPixmap;
class QWidget;

// The older message-box family: boxes with free button texts, sized to their title.
// All are modal, run under an arrow cursor and are destroyed when they close.

// One Ok button; the last argument has no effect.
void MVMessageBox(const CVLString& text, QWidget* parent = nullptr, QMessageBox::Icon icon = QMessageBox::Information,
                  QPixmap* windowIcon = nullptr, const CVLString& title = CVLString(), bool unused = false);

// Up to three buttons (first, second, third text on Yes, No, Cancel); a null or empty text
// ends the list. Returns 0 for the first button, 1 for the second, 2 for anything else.
int MVAskBox(const CVLString& text, QWidget* parent, QMessageBox::Icon icon, const char* button0,
             const char* button1 = nullptr, const char* button2 = nullptr, const CVLString& title = CVLString(),
             int defaultIndex = 0, int escapeIndex = -1, const QPixmap* windowIcon = nullptr,
             const QPixmap* iconPixmap = nullptr);

// "&Yes" / "&No"; true when Yes was clicked (Escape answers No).
bool MVMessageBoxYesNo(const CVLString& text, QWidget* parent = nullptr, bool yesIsDefault = true,
                       const CVLString& title = CVLString(), QMessageBox::Icon icon = QMessageBox::Question);

// Warning box "Yes" / "No" / "Cancel"; returns QMessageBox::Yes, No or Cancel.
int MVMessageBoxYesNoCancel(const CVLString& text, QWidget* parent = nullptr, int defaultButton = QMessageBox::Yes,
                            const CVLString& title = CVLString());

// A dialog with the pixmap, the text, the items in a list, a second text and Yes/No; true when accepted.
bool MVMessageBoxYesNoList(QWidget* parent, const CVLString& text, const CVLStringList& items,
                           const CVLString& secondText, QPixmap& pixmap, bool yesIsDefault = true,
                           const CVLString& title = CVLString());
