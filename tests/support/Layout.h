#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QWidget>

#include "Twips.h"

#include <gtest/gtest.h>

// Where a layout puts a widget: its item's index in each layout from the top one down, and for
// a grid the row, column and spans ("2.0" is the first item of the layout that is item 2).
inline QString placeInLayout(const QLayout* layout, const QWidget* w)
{
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        QString here = QString::number(i);
        if (const auto* grid = qobject_cast<const QGridLayout*>(layout)) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            here = QStringLiteral("%1,%2+%3x%4").arg(row).arg(column).arg(rows).arg(columns);
        }
        if (item->widget() == w)
            return here;
        if (const QString inner = placeInLayout(item->layout(), w); !inner.isEmpty())
            return here + u'.' + inner;
    }
    return {};
}

// Every named widget and command of a window as one text, a line each: name, class, place and
// size, and what a person reads on it. On a screen where a twip is a pixel, a control one twip
// off changes the text; it is compared whole with the layout recorded in tests/layouts.
inline QString layoutText(const QWidget* top)
{
    // Places in twips, so that the recording holds whatever the font's scale; widgets that a
    // layout places by their font are listed without a place, or with their fixed width.
    const Twips t(top);
    const auto place = [&t](const QWidget* w) -> QString {
        const QRect r = w->geometry();
        if (!w->parentWidget() || !w->parentWidget()->layout())
            return QStringLiteral("%1,%2 %3x%4")
                .arg(t.toTwips(r.x()))
                .arg(t.toTwips(r.y()))
                .arg(t.toTwips(r.width()))
                .arg(t.toTwips(r.height()));
        if (w->minimumWidth() == w->maximumWidth())
            return QStringLiteral("width %1").arg(t.toTwips(w->width()));
        // A main window places its bars, docks and central widget by area, not by index.
        if (w->parentWidget()->inherits("QMainWindow"))
            return QStringLiteral("laid out");
        return QStringLiteral("laid out at ") + placeInLayout(w->parentWidget()->layout(), w);
    };
    QStringList lines{top->layout() ? top->objectName()
                                    : QStringLiteral("%1 %2x%3")
                                          .arg(top->objectName())
                                          .arg(t.toTwips(top->width()))
                                          .arg(t.toTwips(top->height()))};
    for (const QWidget* w : top->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_") ||
            qobject_cast<const QMenu*>(w))
            continue;
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(w))
            text = label->text() +
                   (label->buddy() ? QStringLiteral(" for ") + label->buddy()->objectName()
                                   : QString()) +
                   (label->textFormat() == Qt::PlainText ? QStringLiteral(" (plain)") : QString());
        else if (auto* button = qobject_cast<const QPushButton*>(w))
            text = button->text() + (button->isDefault() ? QStringLiteral(", Enter") : QString());
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            text = button->text();
        else if (auto* group = qobject_cast<const QGroupBox*>(w))
            text = group->title();
        else if (auto* view = qobject_cast<const QAbstractItemView*>(w))
            text = QStringLiteral("%1 columns, select %2")
                       .arg(view->model()->columnCount())
                       .arg(QStringList({"none", "one", "many", "extended", "contiguous"})
                                .value(view->selectionMode()));
        else if (auto* bar = qobject_cast<const QToolBar*>(w))
            text = QStringLiteral("pictures %1%2")
                       .arg(t.toTwips(bar->iconSize().width()))
                       .arg(bar->contextMenuPolicy() == Qt::PreventContextMenu
                                ? QStringLiteral(", no menu")
                                : QString());
        else if (auto* choices = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < choices->count(); ++i)
                text += (i ? QStringLiteral("|") : QString()) + choices->itemText(i);
        else if (auto* box = qobject_cast<const QLineEdit*>(w))
            text = QStringLiteral("max %1%2")
                       .arg(box->maxLength())
                       .arg(!box->isReadOnly() ? QString()
                            : box->palette().base() == box->palette().button()
                                ? QStringLiteral(" read-only, greyed")
                                : QStringLiteral(" read-only"));
        if (!w->accessibleName().isEmpty())
            text += QStringLiteral(" [%1]").arg(w->accessibleName());
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(w->objectName(), QLatin1String(w->metaObject()->className()), place(w),
                          text)
                     .trimmed();
    }
    for (const QAction* a : top->findChildren<QAction*>())
        if (!a->objectName().isEmpty() && !a->objectName().startsWith(u"qt_"))
            lines << QStringLiteral("%1 \"%2\" %3 tip \"%4\"")
                         .arg(a->objectName(), a->text(), a->shortcut().toString(), a->toolTip());
    return lines.join(u'\n') + u'\n';
}

// Compares a window's layout with the one recorded under its name; LEXICANT_RECORD_LAYOUTS=1
// writes the recording instead. Only a screen where a twip is a pixel shows single twips.
inline void expectLayout(const QWidget* top, const QString& name)
{
    if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 1440)
        GTEST_SKIP() << "layouts are compared on a screen where a twip is a pixel";
    QFile file(QStringLiteral(LEXICANT_LAYOUTS "/%1.txt").arg(name));
    const QString shown = layoutText(top);
    if (qEnvironmentVariableIsSet("LEXICANT_RECORD_LAYOUTS")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.fileName().toStdString();
        file.write(shown.toUtf8());
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    EXPECT_EQ(shown.toStdString(), QString::fromUtf8(file.readAll()).toStdString())
        << name.toStdString();
}
