#include "common_ui/set_font.h"
#include "platform/ui/controls.h"
#include "platform/ui/fonts.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(SetFontTest, StylesLabelsAndButtonsAndKeepsAnEmptyCaption)
{
    ui::Label label;
    label.setCaption("Station");
    commonModule::Set_Font(&label, "", "Arial", 22, true, QColor(233, 176, 25));
    EXPECT_EQ(label.caption(), "Station") << "an empty caption leaves the caption";
    EXPECT_EQ(label.font().family(), ui::familyFor("Arial"));
    EXPECT_EQ(label.font().pointSize(), 22);
    EXPECT_TRUE(label.font().bold());
    EXPECT_EQ(label.foreColor(), QColor(233, 176, 25));

    QPushButton button;
    commonModule::Set_Font(&button, "Login", "Eurostile", 16, true, QColor(233, 176, 25));
    EXPECT_EQ(button.text(), "Login");
    EXPECT_EQ(button.palette().color(QPalette::ButtonText), QColor(233, 176, 25));
}

TEST(SetFontTest, WhatTheControlLacksIsSkipped)
{
    ui::Shape shape;
    const QFont before = shape.font();
    commonModule::Set_Font(&shape, "caption", "Arial", 30, true, QColor(Qt::white));
    EXPECT_EQ(shape.font(), before);

    QLineEdit box;
    box.setText("typed");
    commonModule::Set_Font(&box, "caption", "Arial", 30, true, QColor(0, 255, 0));
    EXPECT_EQ(box.text(), "typed") << "a text box has no caption";
    EXPECT_EQ(box.font().pointSize(), 30);
    commonModule::Set_Font(nullptr, "x", "Arial", 1, false, QVariant());
}

}  // namespace
