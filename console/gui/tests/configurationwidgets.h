#pragma once

#include "dialogtesting.h"  // MessageBoxRecorder
#include "qstringprinter.h"
#include "widgettesting.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <vector>

// Finding and working the controls of the configuration sheet and the first-run wizard by their ids.

inline QStringList ComboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

inline QStringList Column(const QTreeWidget* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

template <typename T>
inline T* Find(const QWidget& parent, const char* id)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(id));
    EXPECT_NE(child, nullptr) << id;
    return child;
}

inline void Click(const QWidget& parent, const char* id) { Find<QPushButton>(parent, id)->click(); }

// Closes the message boxes shown while it lives, keeping their texts.
class BoxCloser {
public:
    explicit BoxCloser(QStringList& texts) : m_texts(texts)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && box->isVisible()) {
                m_texts << box->text();
                box->reject();
            }
        });
        m_timer.start();
    }

private:
    QStringList& m_texts;
    QTimer m_timer;
};

