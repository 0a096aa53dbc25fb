#pragma once

#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

#include <initializer_list>

// A push button that carries its control id as object name.
inline QPushButton* IdButton(const QString& text, int id, QWidget* parent)
{
    auto button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    return button;
}

// The dialogs' row of buttons at the bottom right.
inline QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons)
{
    auto row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}
