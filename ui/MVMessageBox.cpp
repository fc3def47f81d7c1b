#include "MVMessageBox.h"

#include "CMVChangeCursor.h"
#include "CMVQtModalHook.h"
#include "CVLStringList.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace
{
bool HasText(const char* text)
{
    return text && *text;
}

int TitleWidth(const QWidget& w, const QString& title)
{
    return QFontMetrics(w.font()).boundingRect(title).width();
}
} // namespace

void MVMessageBox(const CVLString& text, QWidget* parent, QMessageBox::Icon icon, QPixmap* windowIcon,
                  const CVLString& title, bool /*unused*/)
{
    const QString body = text.ToQString() + QStringLiteral("  ");
    const QString windowTitle = QStringLiteral(" ") + title.ToQString();
    QMessageBox box(icon, windowTitle, body, QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    if (windowIcon)
        box.setWindowIcon(QIcon(*windowIcon));
    box.setSizeGripEnabled(false);
    const QSize hint = box.sizeHint();
    const int titleWidth = TitleWidth(box, windowTitle);
    box.setMinimumWidth(titleWidth + 20 < hint.width() ? hint.width() + 75 : titleWidth + 20);
    box.setFixedHeight(hint.height());
    box.setAccessibleName(body);
    CMVChangeCursor cursor(Qt::ArrowCursor);
    CMVQtModalHook::ExecMessageBox(box, text.ToQString());
}

int MVAskBox(const CVLString& text, QWidget* parent, QMessageBox::Icon icon, const char* button0, const char* button1,
             const char* button2, const CVLString& title, int defaultIndex, int escapeIndex, const QPixmap* windowIcon,
             const QPixmap* iconPixmap)
{
    const QString body = text.ToQString() + QStringLiteral("  ");
    QMessageBox box(icon, title.ToQString(), body, QMessageBox::NoButton, parent);

    QAbstractButton* buttons[3] = {nullptr, nullptr, nullptr};
    if (HasText(button0))
    {
        buttons[0] = box.addButton(QMessageBox::Yes);
        buttons[0]->setText(QString::fromUtf8(button0));
        if (HasText(button1))
        {
            buttons[1] = box.addButton(QMessageBox::No);
            buttons[1]->setText(QString::fromUtf8(button1));
            if (HasText(button2))
            {
                buttons[2] = box.addButton(QMessageBox::Cancel);
                buttons[2]->setText(QString::fromUtf8(button2));
            }
        }
    }

    QPushButton* defaultButton = nullptr;
    if (defaultIndex >= 0 && defaultIndex <= 2)
        defaultButton = qobject_cast<QPushButton*>(buttons[defaultIndex]);
    if (defaultButton)
        box.setDefaultButton(defaultButton);

    if (escapeIndex >= 0 && escapeIndex <= 2)
    {
        QAbstractButton* escape = buttons[escapeIndex];
        if (!escape && escapeIndex == 2)
            escape = buttons[1];
        if (escape)
            box.setEscapeButton(escape);
    }

    box.setWindowTitle(title.ToQString());
    if (windowIcon)
        box.setWindowIcon(QIcon(*windowIcon));
    if (iconPixmap)
        box.setIconPixmap(*iconPixmap);

    box.setMinimumWidth(TitleWidth(box, title.ToQString()) + 85);
    const QSize hint = box.sizeHint();
    box.setMinimumSize(hint);
    box.setMaximumSize(hint);
    box.setAccessibleName(body);

    CMVChangeCursor cursor(Qt::ArrowCursor);
    QTimer::singleShot(0, &box,
                       [&box, defaultButton]()
                       {
                           box.activateWindow();
                           if (defaultButton)
                               defaultButton->setFocus();
                       });
    CMVQtModalHook::ExecMessageBox(box, text.ToQString());

    QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked == buttons[0])
        return 0;
    if (clicked && clicked == buttons[1])
        return 1;
    return 2;
}

bool MVMessageBoxYesNo(const CVLString& text, QWidget* parent, bool yesIsDefault, const CVLString& title,
                       QMessageBox::Icon icon)
{
    CMVChangeCursor cursor(Qt::ArrowCursor);
    const int result = MVAskBox(text, parent, icon, QT_TRANSLATE_NOOP("MVMessageBox", "&Yes"),
                                QT_TRANSLATE_NOOP("MVMessageBox", "&No"), nullptr, title, yesIsDefault ? 0 : 1, 1);
    return result == 0;
}

int MVMessageBoxYesNoCancel(const CVLString& text, QWidget* parent, int defaultButton, const CVLString& title)
{
    int defaultIndex = 0;
    if (defaultButton == QMessageBox::Cancel)
        defaultIndex = 2;
    else if (defaultButton == QMessageBox::No)
        defaultIndex = 1;
    CMVChangeCursor cursor(Qt::ArrowCursor);
    const int result = MVAskBox(text, parent, QMessageBox::Warning, "Yes", "No", "Cancel", title, defaultIndex, 2);
    if (result == 0)
        return QMessageBox::Yes;
    if (result == 1)
        return QMessageBox::No;
    return QMessageBox::Cancel;
}

bool MVMessageBoxYesNoList(QWidget* parent, const CVLString& text, const CVLStringList& items,
                           const CVLString& secondText, QPixmap& pixmap, bool yesIsDefault, const CVLString& title)
{
    QDialog dlg(parent);
    dlg.setWindowTitle(title.ToQString());
    QGridLayout* grid = new QGridLayout(&dlg);

    QLabel* picture = new QLabel(&dlg);
    picture->setPixmap(pixmap);
    grid->addWidget(picture, 0, 0);
    QLabel* label = new QLabel(text.ToQString(), &dlg);
    label->setWordWrap(true);
    grid->addWidget(label, 0, 1);

    QListWidget* list = new QListWidget(&dlg);
    for (unsigned i = 1; i <= items.GetCount(); ++i)
        if (const CVLString* item = items.GetStringAt(i))
            list->addItem(item->ToQString());
    list->setMinimumWidth(list->sizeHintForColumn(0) + 100);
    grid->addWidget(list, 1, 0, 1, 2);

    QLabel* second = new QLabel(secondText.ToQString(), &dlg);
    second->setWordWrap(true);
    grid->addWidget(second, 2, 0, 1, 2);

    QDialogButtonBox* buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, &dlg);
    QPushButton* def = buttons->button(yesIsDefault ? QDialogButtonBox::Yes : QDialogButtonBox::No);
    def->setDefault(true);
    def->setAutoDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);

    dlg.setFixedSize(dlg.sizeHint());
    dlg.setAccessibleName(text.ToQString());
    CMVChangeCursor cursor(Qt::ArrowCursor);
    return CMVQtModalHook::ExecMessageBox(dlg, text.ToQString()) == QDialog::Accepted;
}
