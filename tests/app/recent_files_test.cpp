// Recent-file list: order, length limit, menu texts and the settings section.
#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include "recentfiles.h"

using app::RecentFileList;

TEST(RecentFiles, NewestFirstAndAFileOnlyOnce)
{
    RecentFileList list;
    list.add("/g/a.hcp");
    list.add("/g/b.hcp");
    list.add("/g/sub/../a.hcp");
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0), "/g/a.hcp");
    EXPECT_EQ(list.at(1), "/g/b.hcp");
    list.add("");
    EXPECT_EQ(list.size(), 2);
}

TEST(RecentFiles, KeepsEightEntriesAndDropsTheOldest)
{
    RecentFileList list;
    for (int i = 1; i <= 10; ++i)
        list.add(QStringLiteral("/g/f%1.hcp").arg(i));
    ASSERT_EQ(list.size(), 8);
    EXPECT_EQ(list.at(0), "/g/f10.hcp");
    EXPECT_EQ(list.at(7), "/g/f3.hcp");
}

TEST(RecentFiles, RemoveAndOutOfRangeIndexes)
{
    RecentFileList list;
    list.add("/g/a.hcp");
    list.add("/g/b.hcp");
    list.remove(5);
    list.remove(-1);
    EXPECT_EQ(list.size(), 2);
    list.remove(0);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.at(0), "/g/a.hcp");
    EXPECT_EQ(list.at(3), QString());
}

TEST(RecentFiles, MenuTextIsNumberedAndEscapesAmpersands)
{
    RecentFileList list;
    list.add("/g/a&b.hcp");
    EXPECT_EQ(list.menuText(0), "&1 /g/a&&b.hcp");
    const QString longDir = "/" + QString(60, QChar('d'));
    list.add(longDir + "/knight8.hcp");
    const QString text = list.menuText(0);
    EXPECT_TRUE(text.startsWith("&1 "));
    EXPECT_TRUE(text.endsWith(".../knight8.hcp")) << text.toStdString();
    EXPECT_LE(text.size(), 3 + 48);
}

TEST(RecentFiles, SavesAndLoadsItsSection)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("t.conf");
    {
        QSettings s(file, QSettings::IniFormat);
        RecentFileList list;
        for (int i = 1; i <= 3; ++i)
            list.add(QStringLiteral("/g/f%1.hcp").arg(i));
        list.save(s);
    }
    {
        QSettings s(file, QSettings::IniFormat);
        EXPECT_EQ(s.value("Recent File List/File1").toString(), "/g/f3.hcp");
        EXPECT_EQ(s.value("Recent File List/File3").toString(), "/g/f1.hcp");
        EXPECT_FALSE(s.contains("Recent File List/File4"));
        RecentFileList list;
        list.load(s);
        ASSERT_EQ(list.size(), 3);
        EXPECT_EQ(list.at(0), "/g/f3.hcp");
        // A shorter list removes the keys it no longer uses.
        list.remove(0);
        list.save(s);
        EXPECT_FALSE(s.contains("Recent File List/File3"));
    }
}
