#pragma once

#include <QIcon>
#include <QMessageBox>
#include <QString>

class CVLString;
class QWidget;

// The application's modal message boxes. Every box is titled with the application's name
// (when the running application is the redirector), parented to the active window when the
// caller asks for a parent, carries its text as accessible name and is destroyed when it
// closes. Each function returns the standard button that closed the box; the single-button
// boxes return nothing and are not shown at all while the block count is above zero.
// Where a default button is requested, only the buttons the box has can be chosen; any
// other request falls back to the box's documented default.
class CVLQtMessageBox
{
public:
    using Button = QMessageBox::StandardButton;

    static void VLInformationBoxOk(QWidget* parent, const CVLString& text);
    static Button VLInformationBoxOkCancel(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);
    static Button VLInformationBoxYesNoCancel(QWidget* parent, const CVLString& text,
                                              Button def = QMessageBox::NoButton);
    static Button VLInformationBoxYesNoAbort(QWidget* parent, const CVLString& text,
                                             Button def = QMessageBox::NoButton);
    static Button VLInformationBoxYesNo(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);

    static void VLQuestionBoxOk(QWidget* parent, const CVLString& text);
    static Button VLQuestionBoxOkCancel(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);
    // The one box with a title of its own.
    static Button VLQuestionBoxSaveCancel(QWidget* parent, const CVLString& text, const CVLString& title,
                                          Button def = QMessageBox::NoButton);
    static Button VLQuestionBoxYesNoCancel(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);
    static Button VLQuestionBoxYesNo(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);

    static void VLCriticalBoxOk(QWidget* parent, const CVLString& text);
    static Button VLCriticalBoxOkCancel(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);
    static Button VLCriticalBoxYesNo(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);
    static Button VLCriticalBoxYesNoCancel(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);

    static void VLWarningBoxOk(QWidget* parent, const CVLString& text);
    static Button VLWarningBoxOkCancel(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);
    static Button VLWarningBoxYesNoCancel(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);
    static Button VLWarningBoxYesNo(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);

    // Boxes whose standard buttons carry the caller's texts.
    static Button VLQuestionBoxYesNo(QWidget* parent, const QString& text, const QString& yesText,
                                     const QString& noText, Button def);
    static Button VLQuestionBoxYesNoCancel(QWidget* parent, const QString& text, const QString& yesText,
                                           const QString& noText, Button def);
    static Button VLWarningBoxYesNo(QWidget* parent, const QString& text, const QString& yesText, const QString& noText,
                                    Button def);
    static Button VLWarningBoxYesNoCancel(QWidget* parent, const QString& text, const QString& yesText,
                                          const QString& noText, const QString& cancelText, Button def);
    static Button VLWarningBoxYesYesAllNoCancel(QWidget* parent, const QString& text, const QString& yesText,
                                                const QString& yesAllText, const QString& noText,
                                                const QString& cancelText, Button def);

    // "Delete" and "Cancel"; Yes when Delete was clicked, else No.
    static Button VLWarningBoxDeleteCancel(QWidget* parent, const CVLString& text, Button def = QMessageBox::NoButton);
    // "Save", "Don't Save", "Cancel" on Yes, No, Cancel.
    static Button VLWarningChangesHaveBeenMadeSaveDontSaveCancel(QWidget* parent);
    // "Save" and "Cancel" on Yes and No; a No answer comes back as Cancel.
    static Button VLWarningChangesHaveBeenMadeSaveCancel(QWidget* parent);

    // The application's name when the running application is the redirector, else empty.
    static QString GetMBTitle();
    // Null for a null widget; otherwise the active window, or the active modal widget.
    static QWidget* GetRealParentWidget(QWidget* parent);
    static QIcon GetDefaultWindowIcon();

    // Return the new count.
    static int IncrementBlockCount();
    static int DecrementBlockCount();
    static int GetBlockCount() { return m_blockCount; }

private:
    static int m_blockCount;
};
