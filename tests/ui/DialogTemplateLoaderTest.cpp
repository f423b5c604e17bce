// Loading dialog templates from the language module: controls by id, our classes by class name.
#include "UiTestModule.h"

#include "ui/CEditLast.h"
#include "ui/CRbcPlaceholder.h"
#include "ui/ControlId.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

TEST(DialogTemplateLoaderTest, TemplateLoadsIntoTheGivenWidgetWithControlsFoundById)
{
    ASSERT_TRUE(UiTestModule());
    ScopedDialogTemplateModule scoped(UiTestModule());
    QWidget dialog;
    QString error;
    ASSERT_TRUE(DialogTemplateLoader::Load(kToolkitTestDialog, &dialog, &error)) << error.toStdString();
    EXPECT_EQ(dialog.size(), QSize(450, 290));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Toolkit test"));

    struct Case
    {
        int id;
        const char* className;
    };
    const Case cases[] = {{2001, "QGroupBox"},      {2002, "QLabel"},        {2003, "CEditLast"},
                          {2005, "QCheckBox"},      {2011, "QRadioButton"},  {2020, "CRbcPlaceholder"},
                          {668, "CRbcPlaceholder"}, {2050, "QPlainTextEdit"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QWidget* control = ControlId::Find(&dialog, c.id);
        ASSERT_TRUE(control);
        EXPECT_STREQ(control->metaObject()->className(), c.className);
        EXPECT_EQ(control->parentWidget(), &dialog);
        EXPECT_EQ(ControlId::Of(control), c.id);
    }
    EXPECT_TRUE(qobject_cast<CEditLast*>(ControlId::Find(&dialog, 2004)));
    EXPECT_EQ(ControlId::Find(&dialog, 2020)->property("text").toString(), QStringLiteral("_RBC0110_Apply"));
    EXPECT_EQ(ControlId::Find(&dialog, 2003)->geometry(), QRect(100, 34, 120, 22));
    EXPECT_TRUE(qobject_cast<QRadioButton*>(ControlId::Find(&dialog, 2011))->isChecked());
    EXPECT_EQ(ControlId::Find(&dialog, 4242), nullptr);
}

TEST(DialogTemplateLoaderTest, RegisteredClassesAreMadeByClassName)
{
    class CTestGauge : public QLabel
    {
    public:
        using QLabel::QLabel;
    };
    EXPECT_TRUE(DialogTemplateLoader::IsRegistered(QStringLiteral("CEditLast")));
    EXPECT_TRUE(DialogTemplateLoader::IsRegistered(QStringLiteral("CRbcPlaceholder")));
    int made = 0;
    DialogTemplateLoader::RegisterClass(QStringLiteral("CTestGauge"), [&made](QWidget* parent) {
        ++made;
        return new CTestGauge(parent);
    });
    const QByteArray ui = R"(<ui version="4.0"><widget class="QWidget" name="top">
        <widget class="CTestGauge" name="id_7"><property name="text"><string>gauge</string></property></widget>
        <widget class="CEditLast" name="id_8"/></widget></ui>)";
    QWidget target;
    QString error;
    ASSERT_TRUE(DialogTemplateLoader::LoadData(ui, &target, &error)) << error.toStdString();
    EXPECT_EQ(made, 1);
    QWidget* gauge = ControlId::Find(&target, 7);
    ASSERT_TRUE(dynamic_cast<CTestGauge*>(gauge));
    EXPECT_EQ(static_cast<QLabel*>(gauge)->text(), QStringLiteral("gauge"));
    EXPECT_TRUE(qobject_cast<CEditLast*>(ControlId::Find(&target, 8)));
}

TEST(DialogTemplateLoaderTest, MissingAndBrokenTemplatesFailWithAMessage)
{
    QWidget target;
    QString error;
    {
        ScopedDialogTemplateModule none(nullptr);
        EXPECT_FALSE(DialogTemplateLoader::Load(kToolkitTestDialog, &target, &error));
        EXPECT_TRUE(error.contains(QStringLiteral("No language module"))) << error.toStdString();
    }
    ScopedDialogTemplateModule scoped(UiTestModule());
    EXPECT_FALSE(DialogTemplateLoader::Load(123456, &target, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("123456"))) << error.toStdString();

    for (const QByteArray& bad :
         {QByteArray("not a form"), QByteArray("<ui version=\"4.0\"><widget class=\"QWid"),
          QByteArray("<ui version=\"4.0\"></ui>")}) {
        SCOPED_TRACE(bad.toStdString());
        error.clear();
        EXPECT_FALSE(DialogTemplateLoader::LoadData(bad, &target, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_TRUE(target.children().isEmpty());
}

TEST(DialogTemplateLoaderTest, ControlIdsLiveInObjectNames)
{
    struct Case
    {
        const char* name;
        int id;
    };
    const Case cases[] = {{"id_1234", 1234}, {"id_0", 0},   {"id_", -1}, {"id_-5", -1},
                          {"id_12x", -1},    {"idx_3", -1}, {"", -1},    {"id_99999999999", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ControlId::FromObjectName(QString::fromLatin1(c.name)), c.id);
    }
    EXPECT_EQ(ControlId::ObjectName(668), QStringLiteral("id_668"));
}

} // namespace
