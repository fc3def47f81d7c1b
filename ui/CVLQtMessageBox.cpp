#include "CVLQtMessageBox.h"

#include "CMVQtModalHook.h"
#include "CVLString.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QVariant>

#include <utility>
#include <vector>

int CVLQtMessageBox::m_blockCount = 0;

namespace
{
using Button = QMessageBox::StandardButton;
using ButtonTexts = std::vector<std::pair<Button, QString>>;

QString Tr(const char* text)
{
    return QCoreApplication::translate("CVLQtMessageBox", text);
}

// The requested default when it is one of `allowed`, else the fallback.
Button PickDefault(Button requested, std::initializer_list<Button> allowed, Button fallback)
{
    for (Button b : allowed)
        if (b == requested)
            return b;
    return fallback;
}

// Builds, runs and destroys one box; NoButton as default or escape leaves Qt's own choice.
Button RunBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
              QMessageBox::StandardButtons buttons, Button def, Button escape, const ButtonTexts& texts = {})
{
    QMessageBox box(icon, title, text, buttons, CVLQtMessageBox::GetRealParentWidget(parent),
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    if (def != QMessageBox::NoButton)
        box.setDefaultButton(def);
    if (escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
    for (const auto& t : texts)
        if (QAbstractButton* b = box.button(t.first))
            b->setText(t.second);
    box.setAccessibleName(text);
    const int result = CMVQtModalHook::ExecMessageBox(box, text);
    return static_cast<Button>(result);
}

bool IsBlocked()
{
    return CVLQtMessageBox::GetBlockCount() > 0;
}

void RunSingle(QWidget* parent, QMessageBox::Icon icon, const CVLString& text)
{
    if (IsBlocked())
        return;
    RunBox(parent, icon, CVLQtMessageBox::GetMBTitle(), text.ToQString(), QMessageBox::Ok, QMessageBox::NoButton,
           QMessageBox::NoButton);
}

Button OkCancel(QWidget* parent, QMessageBox::Icon icon, const CVLString& text, Button def)
{
    return RunBox(parent, icon, CVLQtMessageBox::GetMBTitle(), text.ToQString(), QMessageBox::Ok | QMessageBox::Cancel,
                  PickDefault(def, {QMessageBox::Ok}, QMessageBox::Cancel), QMessageBox::NoButton);
}

Button YesNoCancel(QWidget* parent, QMessageBox::Icon icon, const CVLString& text, Button def)
{
    return RunBox(parent, icon, CVLQtMessageBox::GetMBTitle(), text.ToQString(),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                  PickDefault(def, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::Cancel), QMessageBox::NoButton);
}

Button YesNo(QWidget* parent, QMessageBox::Icon icon, const QString& text, Button def, const ButtonTexts& texts = {})
{
    return RunBox(parent, icon, CVLQtMessageBox::GetMBTitle(), text, QMessageBox::Yes | QMessageBox::No,
                  PickDefault(def, {QMessageBox::Yes}, QMessageBox::No), QMessageBox::No, texts);
}
} // namespace

// --- information -------------------------------------------------------------------------

void CVLQtMessageBox::VLInformationBoxOk(QWidget* parent, const CVLString& text)
{
    RunSingle(parent, QMessageBox::Information, text);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLInformationBoxOkCancel(QWidget* parent, const CVLString& text, Button def)
{
    return OkCancel(parent, QMessageBox::Information, text, def);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLInformationBoxYesNoCancel(QWidget* parent, const CVLString& text, Button def)
{
    return YesNoCancel(parent, QMessageBox::Information, text, def);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLInformationBoxYesNoAbort(QWidget* parent, const CVLString& text, Button def)
{
    return RunBox(parent, QMessageBox::Information, GetMBTitle(), text.ToQString(),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Abort,
                  PickDefault(def, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::Abort), QMessageBox::Abort);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLInformationBoxYesNo(QWidget* parent, const CVLString& text, Button def)
{
    return YesNo(parent, QMessageBox::Information, text.ToQString(), def);
}

// --- question ----------------------------------------------------------------------------

void CVLQtMessageBox::VLQuestionBoxOk(QWidget* parent, const CVLString& text)
{
    RunSingle(parent, QMessageBox::Question, text);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLQuestionBoxOkCancel(QWidget* parent, const CVLString& text, Button def)
{
    return OkCancel(parent, QMessageBox::Question, text, def);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLQuestionBoxSaveCancel(QWidget* parent, const CVLString& text,
                                                                 const CVLString& title, Button def)
{
    return RunBox(parent, QMessageBox::Question, title.ToQString(), text.ToQString(),
                  QMessageBox::Save | QMessageBox::Cancel, PickDefault(def, {QMessageBox::Save}, QMessageBox::Cancel),
                  QMessageBox::NoButton);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLQuestionBoxYesNoCancel(QWidget* parent, const CVLString& text, Button def)
{
    return YesNoCancel(parent, QMessageBox::Question, text, def);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLQuestionBoxYesNo(QWidget* parent, const CVLString& text, Button def)
{
    return YesNo(parent, QMessageBox::Question, text.ToQString(), def);
}

// --- critical ----------------------------------------------------------------------------

void CVLQtMessageBox::VLCriticalBoxOk(QWidget* parent, const CVLString& text)
{
    RunSingle(parent, QMessageBox::Critical, text);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLCriticalBoxOkCancel(QWidget* parent, const CVLString& text, Button def)
{
    return OkCancel(parent, QMessageBox::Critical, text, def);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLCriticalBoxYesNo(QWidget* parent, const CVLString& text, Button def)
{
    return YesNo(parent, QMessageBox::Critical, text.ToQString(), def);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLCriticalBoxYesNoCancel(QWidget* parent, const CVLString& text, Button def)
{
    return YesNoCancel(parent, QMessageBox::Critical, text, def);
}

// --- warning -----------------------------------------------------------------------------

void CVLQtMessageBox::VLWarningBoxOk(QWidget* parent, const CVLString& text)
{
    RunSingle(parent, QMessageBox::Warning, text);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningBoxOkCancel(QWidget* parent, const CVLString& text, Button def)
{
    return OkCancel(parent, QMessageBox::Warning, text, def);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningBoxYesNoCancel(QWidget* parent, const CVLString& text, Button def)
{
    return YesNoCancel(parent, QMessageBox::Warning, text, def);
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningBoxYesNo(QWidget* parent, const CVLString& text, Button def)
{
    return YesNo(parent, QMessageBox::Warning, text.ToQString(), def);
}

// --- own button texts --------------------------------------------------------------------

CVLQtMessageBox::Button CVLQtMessageBox::VLQuestionBoxYesNo(QWidget* parent, const QString& text,
                                                            const QString& yesText, const QString& noText, Button def)
{
    return YesNo(parent, QMessageBox::Question, text, def, {{QMessageBox::Yes, yesText}, {QMessageBox::No, noText}});
}

CVLQtMessageBox::Button CVLQtMessageBox::VLQuestionBoxYesNoCancel(QWidget* parent, const QString& text,
                                                                  const QString& yesText, const QString& noText,
                                                                  Button def)
{
    return RunBox(parent, QMessageBox::Question, GetMBTitle(), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                  PickDefault(def, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::Cancel), QMessageBox::Cancel,
                  {{QMessageBox::Yes, yesText}, {QMessageBox::No, noText}});
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningBoxYesNo(QWidget* parent, const QString& text, const QString& yesText,
                                                           const QString& noText, Button def)
{
    return YesNo(parent, QMessageBox::Warning, text, def, {{QMessageBox::Yes, yesText}, {QMessageBox::No, noText}});
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningBoxYesNoCancel(QWidget* parent, const QString& text,
                                                                 const QString& yesText, const QString& noText,
                                                                 const QString& cancelText, Button def)
{
    return RunBox(parent, QMessageBox::Warning, GetMBTitle(), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                  PickDefault(def, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::Cancel), QMessageBox::Cancel,
                  {{QMessageBox::Yes, yesText}, {QMessageBox::No, noText}, {QMessageBox::Cancel, cancelText}});
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningBoxYesYesAllNoCancel(QWidget* parent, const QString& text,
                                                                       const QString& yesText,
                                                                       const QString& yesAllText, const QString& noText,
                                                                       const QString& cancelText, Button def)
{
    return RunBox(parent, QMessageBox::Warning, GetMBTitle(), text,
                  QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel,
                  PickDefault(def, {QMessageBox::Yes, QMessageBox::YesToAll, QMessageBox::No}, QMessageBox::Cancel),
                  QMessageBox::Cancel,
                  {{QMessageBox::Yes, yesText},
                   {QMessageBox::YesToAll, yesAllText},
                   {QMessageBox::No, noText},
                   {QMessageBox::Cancel, cancelText}});
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningBoxDeleteCancel(QWidget* parent, const CVLString& text, Button def)
{
    const QString qtext = text.ToQString();
    QMessageBox box(QMessageBox::Warning, GetMBTitle(), qtext, QMessageBox::NoButton, GetRealParentWidget(parent),
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    QPushButton* deleteButton = box.addButton(Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Delete")), QMessageBox::YesRole);
    QPushButton* cancelButton = box.addButton(Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Cancel")), QMessageBox::NoRole);
    box.setDefaultButton(def == QMessageBox::Yes ? deleteButton : cancelButton);
    box.setEscapeButton(cancelButton);
    box.setAccessibleName(qtext);
    CMVQtModalHook::ExecMessageBox(box, qtext);
    return box.clickedButton() == deleteButton ? QMessageBox::Yes : QMessageBox::No;
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningChangesHaveBeenMadeSaveDontSaveCancel(QWidget* parent)
{
    return RunBox(
        parent, QMessageBox::Warning, GetMBTitle(), Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Changes have been made. Do you want to save the changes?")),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::Cancel,
        {{QMessageBox::Yes, Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Save"))}, {QMessageBox::No, Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Don't Save"))}, {QMessageBox::Cancel, Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Cancel"))}});
}

CVLQtMessageBox::Button CVLQtMessageBox::VLWarningChangesHaveBeenMadeSaveCancel(QWidget* parent)
{
    const Button result =
        RunBox(parent, QMessageBox::Warning, GetMBTitle(),
               Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Changes have been made. Do you want to save the changes?")), QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No, QMessageBox::No, {{QMessageBox::Yes, Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Save"))}, {QMessageBox::No, Tr(QT_TRANSLATE_NOOP("CVLQtMessageBox", "Cancel"))}});
    return result == QMessageBox::No ? QMessageBox::Cancel : result;
}

// --- shared rules ------------------------------------------------------------------------

QString CVLQtMessageBox::GetMBTitle()
{
    // The redirector application registers its name on itself; the ui layer cannot see its class.
    QCoreApplication* app = QCoreApplication::instance();
    if (app && app->inherits("CVLURLRedirectorApp"))
        return app->property("vlAppName").toString();
    return QString();
}

QWidget* CVLQtMessageBox::GetRealParentWidget(QWidget* parent)
{
    if (!parent)
        return nullptr;
    QWidget* real = QApplication::activeWindow();
    if (!real)
        real = QApplication::activeModalWidget();
    return real;
}

QIcon CVLQtMessageBox::GetDefaultWindowIcon()
{
    return QIcon();
}

int CVLQtMessageBox::IncrementBlockCount()
{
    return ++m_blockCount;
}

int CVLQtMessageBox::DecrementBlockCount()
{
    return --m_blockCount;
}
