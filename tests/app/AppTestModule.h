// The English language module as the current module of a test, loaded from the program folder.
#pragma once

#include "platform/ResourceModule.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

class AppTestModule
{
public:
    AppTestModule()
    {
        QString error;
        m_module = ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), &error);
        EXPECT_TRUE(m_module) << error.toStdString();
        ResourceModule::SetCurrent(m_module.get());
    }
    ~AppTestModule() { ResourceModule::SetCurrent(nullptr); }
    AppTestModule(const AppTestModule&) = delete;
    AppTestModule& operator=(const AppTestModule&) = delete;

private:
    std::unique_ptr<ResourceModule> m_module;
};
