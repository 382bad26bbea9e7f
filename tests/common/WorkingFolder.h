#pragma once

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

// Restores the working folder that a test changes.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString &folder) : m_old(QDir::currentPath()) {
        EXPECT_TRUE(QDir::setCurrent(folder));
    }
    ~WorkingFolder() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};
