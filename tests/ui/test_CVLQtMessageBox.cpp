#include "CMVChangeCursor.h"
#include "CMVQtModalHook.h"
#include "CQtModalDialogBlocker.h"
#include "CVLQtMessageBox.h"
#include "CVLString.h"
#include "CVLStringList.h"
#include "MVMessageBox.h"
#include "MVQtWidgetUtils.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace
{
using SB = QMessageBox::StandardButton;

// What a test saw of the box it answered.
struct Seen
{
    bool shown = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    SB defaultButton = QMessageBox::NoButton;
    SB escapeButton = QMessageBox::NoButton;
    QString title;
    QString text;
    QString accessibleName;
    QWidget* parent = nullptr;
    QMap<SB, QString> texts;
};

// Queues an answer for the next box: records it, then clicks `click`.
void Answer(Seen& seen, SB click)
{
    CMVQtModalHook::EnqueueAction(
        [&seen, click](QWidget* w)
        {
            QMessageBox* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            seen.shown = true;
            seen.icon = box->icon();
            seen.buttons = box->standardButtons();
            seen.defaultButton =
                box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
            seen.escapeButton = box->escapeButton() ? box->standardButton(box->escapeButton()) : QMessageBox::NoButton;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.accessibleName = box->accessibleName();
            seen.parent = box->parentWidget();
            for (QAbstractButton* b : box->buttons())
                seen.texts[box->standardButton(b)] = b->text();
            box->button(click)->click();
        });
}

class MessageBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CMVQtModalHook::ClearActions();
        CMVQtModalHook::ResetUnexpectedCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(CMVQtModalHook::GetPendingActionCount(), 0);
        EXPECT_EQ(CMVQtModalHook::GetUnexpectedCount(), 0);
        CMVQtModalHook::ClearActions();
    }
};

struct BoxCase
{
    const char* name;
    std::function<SB(SB def)> run;
    SB asked;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    SB expectedDefault;
    SB expectedEscape; // NoButton: none set, Qt chooses
};

const QMessageBox::StandardButtons kOkCancel = QMessageBox::Ok | QMessageBox::Cancel;
const QMessageBox::StandardButtons kYesNo = QMessageBox::Yes | QMessageBox::No;
const QMessageBox::StandardButtons kYesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
const CVLString kText("Body text");

// clang-format off
const BoxCase kBoxCases[] = {
    {"InfoOkCancelAskOk", [](SB d) { return CVLQtMessageBox::VLInformationBoxOkCancel(nullptr, kText, d); }, QMessageBox::Ok, QMessageBox::Information, kOkCancel, QMessageBox::Ok, QMessageBox::NoButton},
    {"InfoOkCancelAskYes", [](SB d) { return CVLQtMessageBox::VLInformationBoxOkCancel(nullptr, kText, d); }, QMessageBox::Yes, QMessageBox::Information, kOkCancel, QMessageBox::Cancel, QMessageBox::NoButton},
    {"InfoYesNoCancelAskNo", [](SB d) { return CVLQtMessageBox::VLInformationBoxYesNoCancel(nullptr, kText, d); }, QMessageBox::No, QMessageBox::Information, kYesNoCancel, QMessageBox::No, QMessageBox::NoButton},
    {"InfoYesNoAbortAskOk", [](SB d) { return CVLQtMessageBox::VLInformationBoxYesNoAbort(nullptr, kText, d); }, QMessageBox::Ok, QMessageBox::Information, kYesNo | QMessageBox::Abort, QMessageBox::Abort, QMessageBox::Abort},
    {"InfoYesNoAskCancel", [](SB d) { return CVLQtMessageBox::VLInformationBoxYesNo(nullptr, kText, d); }, QMessageBox::Cancel, QMessageBox::Information, kYesNo, QMessageBox::No, QMessageBox::No},
    {"QuestionOkCancelAskOk", [](SB d) { return CVLQtMessageBox::VLQuestionBoxOkCancel(nullptr, kText, d); }, QMessageBox::Ok, QMessageBox::Question, kOkCancel, QMessageBox::Ok, QMessageBox::NoButton},
    {"QuestionSaveCancelAskSave", [](SB d) { return CVLQtMessageBox::VLQuestionBoxSaveCancel(nullptr, kText, CVLString("Own title"), d); }, QMessageBox::Save, QMessageBox::Question, QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Save, QMessageBox::NoButton},
    {"QuestionYesNoCancelAskYes", [](SB d) { return CVLQtMessageBox::VLQuestionBoxYesNoCancel(nullptr, kText, d); }, QMessageBox::Yes, QMessageBox::Question, kYesNoCancel, QMessageBox::Yes, QMessageBox::NoButton},
    {"QuestionYesNoCancelAskOk", [](SB d) { return CVLQtMessageBox::VLQuestionBoxYesNoCancel(nullptr, kText, d); }, QMessageBox::Ok, QMessageBox::Question, kYesNoCancel, QMessageBox::Cancel, QMessageBox::NoButton},
    {"QuestionYesNoAskYes", [](SB d) { return CVLQtMessageBox::VLQuestionBoxYesNo(nullptr, kText, d); }, QMessageBox::Yes, QMessageBox::Question, kYesNo, QMessageBox::Yes, QMessageBox::No},
    {"CriticalOkCancelAskCancel", [](SB d) { return CVLQtMessageBox::VLCriticalBoxOkCancel(nullptr, kText, d); }, QMessageBox::Cancel, QMessageBox::Critical, kOkCancel, QMessageBox::Cancel, QMessageBox::NoButton},
    {"CriticalYesNoAskNo", [](SB d) { return CVLQtMessageBox::VLCriticalBoxYesNo(nullptr, kText, d); }, QMessageBox::No, QMessageBox::Critical, kYesNo, QMessageBox::No, QMessageBox::No},
    {"CriticalYesNoCancelAskYes", [](SB d) { return CVLQtMessageBox::VLCriticalBoxYesNoCancel(nullptr, kText, d); }, QMessageBox::Yes, QMessageBox::Critical, kYesNoCancel, QMessageBox::Yes, QMessageBox::NoButton},
    {"WarningOkCancelAskOk", [](SB d) { return CVLQtMessageBox::VLWarningBoxOkCancel(nullptr, kText, d); }, QMessageBox::Ok, QMessageBox::Warning, kOkCancel, QMessageBox::Ok, QMessageBox::NoButton},
    {"WarningYesNoCancelAskNo", [](SB d) { return CVLQtMessageBox::VLWarningBoxYesNoCancel(nullptr, kText, d); }, QMessageBox::No, QMessageBox::Warning, kYesNoCancel, QMessageBox::No, QMessageBox::NoButton},
    {"WarningYesNoAskNoButton", [](SB d) { return CVLQtMessageBox::VLWarningBoxYesNo(nullptr, kText, d); }, QMessageBox::NoButton, QMessageBox::Warning, kYesNo, QMessageBox::No, QMessageBox::No},
    {"OwnTextsQuestionYesNo", [](SB d) { return CVLQtMessageBox::VLQuestionBoxYesNo(nullptr, QStringLiteral("Body text"), QStringLiteral("Keep"), QStringLiteral("Drop"), d); }, QMessageBox::Yes, QMessageBox::Question, kYesNo, QMessageBox::Yes, QMessageBox::No},
    {"OwnTextsQuestionYesNoCancel", [](SB d) { return CVLQtMessageBox::VLQuestionBoxYesNoCancel(nullptr, QStringLiteral("Body text"), QStringLiteral("Keep"), QStringLiteral("Drop"), d); }, QMessageBox::Save, QMessageBox::Question, kYesNoCancel, QMessageBox::Cancel, QMessageBox::Cancel},
    {"OwnTextsWarningYesNo", [](SB d) { return CVLQtMessageBox::VLWarningBoxYesNo(nullptr, QStringLiteral("Body text"), QStringLiteral("Keep"), QStringLiteral("Drop"), d); }, QMessageBox::Cancel, QMessageBox::Warning, kYesNo, QMessageBox::No, QMessageBox::No},
    {"OwnTextsWarningYesNoCancel", [](SB d) { return CVLQtMessageBox::VLWarningBoxYesNoCancel(nullptr, QStringLiteral("Body text"), QStringLiteral("Keep"), QStringLiteral("Drop"), QStringLiteral("Back"), d); }, QMessageBox::No, QMessageBox::Warning, kYesNoCancel, QMessageBox::No, QMessageBox::Cancel},
    {"OwnTextsYesYesAllNoCancel", [](SB d) { return CVLQtMessageBox::VLWarningBoxYesYesAllNoCancel(nullptr, QStringLiteral("Body text"), QStringLiteral("Keep"), QStringLiteral("Keep all"), QStringLiteral("Drop"), QStringLiteral("Back"), d); }, QMessageBox::YesToAll, QMessageBox::Warning, kYesNoCancel | QMessageBox::YesToAll, QMessageBox::YesToAll, QMessageBox::Cancel},
    {"ChangesSaveDontSaveCancel", [](SB) { return CVLQtMessageBox::VLWarningChangesHaveBeenMadeSaveDontSaveCancel(nullptr); }, QMessageBox::NoButton, QMessageBox::Warning, kYesNoCancel, QMessageBox::Cancel, QMessageBox::Cancel},
    {"ChangesSaveCancel", [](SB) { return CVLQtMessageBox::VLWarningChangesHaveBeenMadeSaveCancel(nullptr); }, QMessageBox::NoButton, QMessageBox::Warning, kYesNo, QMessageBox::No, QMessageBox::No},
};
// clang-format on
} // namespace

TEST_F(MessageBoxTest, ButtonsDefaultsAndEscapePerBox)
{
    for (const BoxCase& c : kBoxCases)
    {
        SCOPED_TRACE(c.name);
        Seen seen;
        // Click the expected default: the box must return exactly that button (the two
        // unsaved-changes boxes map their No button to Cancel, checked separately).
        Answer(seen, c.expectedDefault);
        const SB result = c.run(c.asked);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.defaultButton, c.expectedDefault);
        EXPECT_EQ(seen.escapeButton, c.expectedEscape);
        if (std::string(c.name) != "ChangesSaveCancel")
        {
            EXPECT_EQ(result, c.expectedDefault);
        }
    }
}

TEST_F(MessageBoxTest, TextTitleAccessibleNameAndOwnButtonTexts)
{
    Seen seen;
    Answer(seen, QMessageBox::No);
    EXPECT_EQ(CVLQtMessageBox::VLWarningBoxYesNoCancel(nullptr, QStringLiteral("Line one\nline two"),
                                                       QStringLiteral("Keep"), QStringLiteral("Drop"),
                                                       QStringLiteral("Back"), QMessageBox::Yes),
              QMessageBox::No);
    EXPECT_EQ(seen.text, QStringLiteral("Line one\nline two"));
    EXPECT_EQ(seen.accessibleName, seen.text);
    // Not the redirector application: no title.
    EXPECT_EQ(seen.title, QString());
    EXPECT_EQ(seen.texts[QMessageBox::Yes], QStringLiteral("Keep"));
    EXPECT_EQ(seen.texts[QMessageBox::No], QStringLiteral("Drop"));
    EXPECT_EQ(seen.texts[QMessageBox::Cancel], QStringLiteral("Back"));

    Seen own;
    Answer(own, QMessageBox::Cancel);
    CVLQtMessageBox::VLQuestionBoxSaveCancel(nullptr, kText, CVLString("Own title"), QMessageBox::Save);
    EXPECT_EQ(own.title, QStringLiteral("Own title"));
}

TEST_F(MessageBoxTest, UnsavedChangesBoxes)
{
    Seen seen;
    Answer(seen, QMessageBox::No);
    EXPECT_EQ(CVLQtMessageBox::VLWarningChangesHaveBeenMadeSaveCancel(nullptr), QMessageBox::Cancel);
    EXPECT_EQ(seen.text, QStringLiteral("Changes have been made. Do you want to save the changes?"));
    EXPECT_EQ(seen.texts[QMessageBox::Yes], QStringLiteral("Save"));
    EXPECT_EQ(seen.texts[QMessageBox::No], QStringLiteral("Cancel"));

    Answer(seen, QMessageBox::Yes);
    EXPECT_EQ(CVLQtMessageBox::VLWarningChangesHaveBeenMadeSaveCancel(nullptr), QMessageBox::Yes);

    Seen three;
    Answer(three, QMessageBox::No);
    EXPECT_EQ(CVLQtMessageBox::VLWarningChangesHaveBeenMadeSaveDontSaveCancel(nullptr), QMessageBox::No);
    EXPECT_EQ(three.texts[QMessageBox::No], QStringLiteral("Don't Save"));
}

TEST_F(MessageBoxTest, DeleteCancelMapsToYesAndNo)
{
    for (bool clickDelete : {true, false})
    {
        QString defaultText;
        QString escapeText;
        CMVQtModalHook::EnqueueAction(
            [&, clickDelete](QWidget* w)
            {
                QMessageBox* box = qobject_cast<QMessageBox*>(w);
                ASSERT_NE(box, nullptr);
                defaultText = box->defaultButton()->text();
                escapeText = box->escapeButton()->text();
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == (clickDelete ? QStringLiteral("Delete") : QStringLiteral("Cancel")))
                        b->click();
            });
        const SB result = CVLQtMessageBox::VLWarningBoxDeleteCancel(nullptr, kText, QMessageBox::Yes);
        EXPECT_EQ(result, clickDelete ? QMessageBox::Yes : QMessageBox::No);
        EXPECT_EQ(defaultText, QStringLiteral("Delete"));
        EXPECT_EQ(escapeText, QStringLiteral("Cancel"));
    }
}

TEST_F(MessageBoxTest, BlockCountSilencesOnlySingleButtonBoxes)
{
    EXPECT_EQ(CVLQtMessageBox::GetBlockCount(), 0);
    {
        CQtModalDialogBlocker blocker;
        EXPECT_EQ(CVLQtMessageBox::GetBlockCount(), 1);
        {
            CQtModalDialogBlocker nested;
            EXPECT_EQ(CVLQtMessageBox::GetBlockCount(), 2);
        }
        // Nothing may appear: an unexpected box would be counted by the hook.
        CVLQtMessageBox::VLCriticalBoxOk(nullptr, kText);
        CVLQtMessageBox::VLInformationBoxOk(nullptr, kText);
        CVLQtMessageBox::VLQuestionBoxOk(nullptr, kText);
        CVLQtMessageBox::VLWarningBoxOk(nullptr, kText);
        EXPECT_EQ(CMVQtModalHook::GetUnexpectedCount(), 0);

        Seen seen;
        Answer(seen, QMessageBox::Yes);
        EXPECT_EQ(CVLQtMessageBox::VLCriticalBoxYesNo(nullptr, kText, QMessageBox::No), QMessageBox::Yes);
        EXPECT_TRUE(seen.shown);
    }
    EXPECT_EQ(CVLQtMessageBox::GetBlockCount(), 0);
    EXPECT_EQ(CVLQtMessageBox::IncrementBlockCount(), 1);
    EXPECT_EQ(CVLQtMessageBox::DecrementBlockCount(), 0);

    Seen shown;
    Answer(shown, QMessageBox::Ok);
    CVLQtMessageBox::VLCriticalBoxOk(nullptr, kText);
    EXPECT_TRUE(shown.shown);
    EXPECT_EQ(shown.icon, QMessageBox::Critical);
}

TEST_F(MessageBoxTest, ParentIsTheActiveModalWindowNotTheWidgetPassed)
{
    QWidget passed;
    QDialog outer;
    QWidget* parentSeen = reinterpret_cast<QWidget*>(1);
    QWidget* parentWithoutAsking = reinterpret_cast<QWidget*>(1);
    CMVQtModalHook::EnqueueAction(
        [&](QWidget*)
        {
            Seen inner;
            Answer(inner, QMessageBox::Ok);
            CVLQtMessageBox::VLWarningBoxOk(&passed, kText);
            parentSeen = inner.parent;
            Seen orphan;
            Answer(orphan, QMessageBox::Ok);
            CVLQtMessageBox::VLWarningBoxOk(nullptr, kText);
            parentWithoutAsking = orphan.parent;
            outer.accept();
        });
    CMVQtModalHook::ExecModal(outer);
    EXPECT_EQ(parentSeen, &outer);
    EXPECT_EQ(parentWithoutAsking, nullptr);
}

TEST_F(MessageBoxTest, EveryBoxTextGoesToStandardErrorOnOneLine)
{
    char path[] = "/tmp/vl_stderr_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(fd, 2);

    Seen seen;
    Answer(seen, QMessageBox::Ok);
    CVLQtMessageBox::VLCriticalBoxOk(nullptr, CVLString("First line\nsecond line"));
    {
        CQtModalDialogBlocker blocker;
        CVLQtMessageBox::VLCriticalBoxOk(nullptr, CVLString("never shown"));
    }

    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    QFile file(QString::fromLatin1(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray logged = file.readAll();
    close(fd);
    unlink(path);
    EXPECT_TRUE(logged.contains("First line second line\n")) << logged.constData();
    EXPECT_FALSE(logged.contains("never shown"));
    // The window still shows the text as given.
    EXPECT_EQ(seen.text, QStringLiteral("First line\nsecond line"));
}

// --- the older family --------------------------------------------------------------------

TEST_F(MessageBoxTest, AskBoxButtonsDefaultEscapeAndResult)
{
    struct AskCase
    {
        const char* name;
        const char* b1;
        const char* b2;
        int defaultIndex;
        int escapeIndex;
        int buttonCount;
        QString expectedDefault;
        QString expectedEscape;
    };
    // clang-format off
    const AskCase cases[] = {
        {"three buttons, default third", "Two", "Three", 2, 0, 3, "Three", "One"},
        {"escape 2 without a third button is the second", "Two", nullptr, 0, 2, 2, "One", "Two"},
        {"single button", nullptr, nullptr, 0, -1, 1, "One", QString()},
    };
    // clang-format on
    for (const AskCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        for (int click = 0; click < c.buttonCount; ++click)
        {
            QString def;
            QString esc;
            int count = 0;
            QString title;
            CMVQtModalHook::EnqueueAction(
                [&, click](QWidget* w)
                {
                    QMessageBox* box = qobject_cast<QMessageBox*>(w);
                    ASSERT_NE(box, nullptr);
                    count = box->buttons().size();
                    def = box->defaultButton() ? box->defaultButton()->text() : QString();
                    esc = box->escapeButton() ? box->escapeButton()->text() : QString();
                    title = box->windowTitle();
                    const SB order[] = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
                    box->button(order[click])->click();
                });
            const int result = MVAskBox(CVLString("Question"), nullptr, QMessageBox::Question, "One", c.b1, c.b2,
                                        CVLString("Ask title"), c.defaultIndex, c.escapeIndex);
            EXPECT_EQ(result, click);
            EXPECT_EQ(count, c.buttonCount);
            EXPECT_EQ(def, c.expectedDefault);
            EXPECT_EQ(esc, c.expectedEscape);
            EXPECT_EQ(title, QStringLiteral("Ask title"));
        }
    }
}

TEST_F(MessageBoxTest, YesNoWrappers)
{
    // Escape answers No.
    CMVQtModalHook::EnqueueAction([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_FALSE(MVMessageBoxYesNo(CVLString("Go?"), nullptr, true));

    QString def;
    CMVQtModalHook::EnqueueAction(
        [&def](QWidget* w)
        {
            QMessageBox* box = qobject_cast<QMessageBox*>(w);
            def = box->defaultButton()->text();
            box->button(QMessageBox::Yes)->click();
        });
    EXPECT_TRUE(MVMessageBoxYesNo(CVLString("Go?"), nullptr, false));
    EXPECT_EQ(def, QStringLiteral("&No"));

    struct Row
    {
        int asked;
        const char* expectedDefault;
    };
    for (const Row& r : {Row{QMessageBox::Cancel, "Cancel"}, Row{QMessageBox::No, "No"}, Row{QMessageBox::Ok, "Yes"}})
    {
        CMVQtModalHook::EnqueueAction(
            [&def](QWidget* w)
            {
                QMessageBox* box = qobject_cast<QMessageBox*>(w);
                def = box->defaultButton()->text();
                EXPECT_EQ(box->icon(), QMessageBox::Warning);
                QTest::keyClick(w, Qt::Key_Escape);
            });
        EXPECT_EQ(MVMessageBoxYesNoCancel(CVLString("Save?"), nullptr, r.asked), QMessageBox::Cancel);
        EXPECT_EQ(def, QString::fromLatin1(r.expectedDefault));
    }
}

TEST_F(MessageBoxTest, SimpleBoxAndListDialog)
{
    QString title;
    CMVQtModalHook::EnqueueAction(
        [&title](QWidget* w)
        {
            title = w->windowTitle();
            qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
        });
    MVMessageBox(CVLString("Done"), nullptr, QMessageBox::Information, nullptr, CVLString("Report"));
    EXPECT_EQ(title, QStringLiteral(" Report"));

    CVLStringList items;
    items.AddStringToList("first item", 0x7fffffff);
    items.AddStringToList("second item", 0x7fffffff);
    QPixmap pixmap(16, 16);
    int listed = 0;
    CMVQtModalHook::EnqueueAction(
        [&listed](QWidget* w)
        {
            if (QListWidget* list = w->findChild<QListWidget*>())
                listed = list->count();
            qobject_cast<QDialog*>(w)->accept();
        });
    EXPECT_TRUE(MVMessageBoxYesNoList(nullptr, CVLString("Delete these?"), items, CVLString("Sure?"), pixmap));
    EXPECT_EQ(listed, 2);
}

// --- cursor and widget helpers -----------------------------------------------------------

TEST(ChangeCursorTest, PopsEverythingItPushed)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        CMVChangeCursor cursor(Qt::WaitCursor);
        cursor.SetOverrideCursor(Qt::ArrowCursor);
        EXPECT_EQ(cursor.GetPushCount(), 2);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        cursor.UnsetOverrideCursor();
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        cursor.SetOverrideCursor(Qt::IBeamCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    CMVChangeCursor none;
    none.UnsetOverrideCursor();
    EXPECT_EQ(none.GetPushCount(), 0);
}

TEST(WidgetUtilsTest, WrappingLabelsGetTheirWidthAndHeight)
{
    QWidget top;
    QWidget* inner = new QWidget(&top);
    QLabel* wrapping = new QLabel(QStringLiteral("A long sentence that has to wrap over more than one line when it is "
                                                 "laid out in a narrow box, and then some more words."),
                                  inner);
    wrapping->setWordWrap(true);
    QLabel* plain = new QLabel(QStringLiteral("short"), inner);
    FixButtonSizesForUnix(&top);
    EXPECT_EQ(wrapping->minimumWidth(), 400);
    EXPECT_EQ(wrapping->minimumHeight(), wrapping->heightForWidth(400));
    EXPECT_EQ(plain->minimumWidth(), 0);
}

TEST(WidgetUtilsTest, SwapExchangesLayoutPositions)
{
    QWidget top;
    QHBoxLayout* row = new QHBoxLayout(&top);
    QPushButton* ok = new QPushButton(QStringLiteral("OK"));
    QPushButton* cancel = new QPushButton(QStringLiteral("Cancel"));
    row->addWidget(ok);
    row->addStretch();
    row->addWidget(cancel);
    SwapQtOkCancelButtonsOnMac(ok, cancel);
    EXPECT_EQ(row->indexOf(cancel), 0);
    EXPECT_EQ(row->indexOf(ok), 2);
    SwapQtOkCancelButtonsOnMac(ok, nullptr);
    EXPECT_EQ(row->indexOf(ok), 2);
}
