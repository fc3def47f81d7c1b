#include "MVQtWidgetUtils.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QWidget>

namespace
{
const int kWrappingLabelWidth = 400;

void FixChildren(QWidget* widget)
{
    for (QObject* child : widget->children())
    {
        QWidget* w = qobject_cast<QWidget*>(child);
        if (!w)
            continue;
        if (QPushButton* button = qobject_cast<QPushButton*>(w))
        {
            if (!button->isFlat())
                SetQtMacSizeFix(button);
        }
        else if (QLabel* label = qobject_cast<QLabel*>(w))
        {
            if (label->wordWrap())
            {
                const int width = qMax(label->minimumWidth(), kWrappingLabelWidth);
                label->setMinimumWidth(width);
                const int height = label->heightForWidth(width);
                if (height > 0)
                    label->setMinimumHeight(height);
            }
        }
        FixChildren(w);
    }
}

QLayout* FindLayoutHolding(QLayout* layout, QWidget* w, int& index)
{
    if (!layout)
        return nullptr;
    const int found = layout->indexOf(w);
    if (found >= 0)
    {
        index = found;
        return layout;
    }
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* inner = layout->itemAt(i)->layout())
            if (QLayout* hit = FindLayoutHolding(inner, w, index))
                return hit;
    return nullptr;
}
} // namespace

void FixButtonSizesForUnix(QWidget* widget)
{
    if (widget)
        FixChildren(widget);
}

void SetQtMacSizeFix(QWidget* button)
{
#if defined(Q_OS_MACOS)
    if (button)
        button->setAttribute(Qt::WA_LayoutUsesWidgetRect);
#else
    (void)button;
#endif
}

void SwapQtOkCancelButtonsOnMac(QWidget* first, QWidget* second)
{
    if (!first || !second || first == second)
        return;
    QWidget* parent = first->parentWidget();
    if (parent && parent == second->parentWidget())
    {
        int i1 = -1;
        int i2 = -1;
        QLayout* l1 = FindLayoutHolding(parent->layout(), first, i1);
        QLayout* l2 = FindLayoutHolding(parent->layout(), second, i2);
        if (l1 && l1 == l2)
        {
            if (QBoxLayout* box = qobject_cast<QBoxLayout*>(l1))
            {
                const int lo = qMin(i1, i2);
                const int hi = qMax(i1, i2);
                QWidget* loWidget = lo == i1 ? first : second;
                QWidget* hiWidget = lo == i1 ? second : first;
                box->removeWidget(hiWidget);
                box->removeWidget(loWidget);
                box->insertWidget(lo, hiWidget);
                box->insertWidget(hi, loWidget);
                return;
            }
            if (QGridLayout* grid = qobject_cast<QGridLayout*>(l1))
            {
                int r1, c1, rs1, cs1, r2, c2, rs2, cs2;
                grid->getItemPosition(i1, &r1, &c1, &rs1, &cs1);
                grid->getItemPosition(i2, &r2, &c2, &rs2, &cs2);
                grid->removeWidget(first);
                grid->removeWidget(second);
                grid->addWidget(first, r2, c2, rs2, cs2);
                grid->addWidget(second, r1, c1, rs1, cs1);
                return;
            }
        }
    }
    const QRect g1 = first->geometry();
    first->setGeometry(second->geometry());
    second->setGeometry(g1);
}
