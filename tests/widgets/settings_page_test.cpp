#include "core/settings.h"
#include "ui/studio/settings_page.h"
#include "widget_fakes.h"

#include <QCheckBox>
#include <QSlider>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

class SettingsPageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root.isValid()); }
    QString file() const { return QDir(root.path()).filePath(QStringLiteral("insegnante/impostazioni.conf")); }
    std::unique_ptr<ui::SettingsPage> open(const QString& path)
    {
        auto page = std::make_unique<ui::SettingsPage>(path, boxes);
        page->show();
        return page;
    }
    template<typename T> static T* part(QWidget* page, const char* name)
    {
        auto* found = page->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void choose(QWidget* page, bool speak, int pace, bool fullScreen)
    {
        part<QCheckBox>(page, "leggiParola")->setChecked(speak);
        part<QSlider>(page, "ritmoVoce")->setValue(pace);
        part<QCheckBox>(page, "tuttoSchermo")->setChecked(fullScreen);
    }
    static QString state(QWidget* page) { return part<QLabel>(page, "statoImpostazioni")->text(); }

    QTemporaryDir root;
    FakeMessageBoxes boxes;
};

TEST_F(SettingsPageTest, WithNoFileTheProgramsOwnWaysAreShownAndNothingIsWrittenUntilSaved)
{
    auto page = open(file());
    EXPECT_EQ(page->shown(), Settings());
    EXPECT_FALSE(part<QCheckBox>(page.get(), "leggiParola")->isChecked());
    EXPECT_EQ(part<QSlider>(page.get(), "ritmoVoce")->value(), Settings::kDefaultPace);
    EXPECT_TRUE(state(page.get()).startsWith(QStringLiteral("Nessuna impostazione salvata")));

    choose(page.get(), true, 100, true);
    EXPECT_TRUE(page->modified());
    EXPECT_EQ(state(page.get()), QStringLiteral("Ci sono scelte non ancora salvate."));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(file()).absolutePath())) << "a choice alone writes nothing";

    click(part<QPushButton>(page.get(), "bottoneSalvaImpostazioni"));
    EXPECT_TRUE(boxes.errors.isEmpty()) << boxes.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(page->modified());
    EXPECT_EQ(state(page.get()), QStringLiteral("Le impostazioni sono salvate."));
    Settings expected;
    expected.speakWord = true;
    expected.pace = 100;
    expected.fullScreen = true;
    EXPECT_EQ(readSettings(file()), expected);
    // Nothing is left beside it from the atomic write.
    EXPECT_EQ(QDir(QFileInfo(file()).absolutePath()).entryList(QDir::Files), QStringList {"impostazioni.conf"});

    // Opened again, the page shows what was saved; "Come all'inizio" brings the pace back.
    auto again = open(file());
    EXPECT_EQ(again->shown(), expected);
    click(part<QPushButton>(again.get(), "ritmoSolito"));
    EXPECT_EQ(again->shown().pace, Settings::kDefaultPace);
    EXPECT_TRUE(again->modified());
}

TEST_F(SettingsPageTest, AFileWrittenByHandIsShownAsItReadsAndTurningEverythingOffIsSavedToo)
{
    QDir().mkpath(QFileInfo(file()).absolutePath());
    QFile hand(file());
    ASSERT_TRUE(hand.open(QIODevice::WriteOnly));
    hand.write("parola_letta = si\nritmo_voce = 500\n");
    hand.close();
    auto page = open(file());
    EXPECT_TRUE(page->shown().speakWord);
    EXPECT_EQ(page->shown().pace, Settings::kFastestPace);
    EXPECT_FALSE(page->modified());

    choose(page.get(), false, Settings::kSlowestPace, false);
    ASSERT_TRUE(page->save());
    Settings expected;
    expected.pace = Settings::kSlowestPace;
    EXPECT_EQ(readSettings(file()), expected);
}

TEST_F(SettingsPageTest, WhenTheFileCannotBeWrittenTheTeacherIsToldInItalianAndTheChoicesStay)
{
    struct Row {
        const char* what;
        std::function<QString(const QString&)> place; // makes the obstacle, gives the settings file
    };
    const std::vector<Row> rows {
        {"a folder where the file should be",
            [](const QString& base) {
                const QString path = QDir(base).filePath(QStringLiteral("a/impostazioni.conf"));
                QDir().mkpath(path);
                return path;
            }},
        {"a file where the folder should be",
            [](const QString& base) {
                QFile blocker(QDir(base).filePath(QStringLiteral("b")));
                EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
                return QDir(base).filePath(QStringLiteral("b/impostazioni.conf"));
            }},
        {"no teacher's folder at all", [](const QString&) { return QString(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        boxes.errors.clear();
        auto page = open(row.place(root.path()));
        choose(page.get(), true, 150, false);
        click(part<QPushButton>(page.get(), "bottoneSalvaImpostazioni"));
        ASSERT_EQ(boxes.errors.size(), 1);
        EXPECT_TRUE(
            boxes.errors.constFirst().startsWith(QStringLiteral("Non è stato possibile salvare le impostazioni")))
            << boxes.errors.constFirst().toStdString();
        EXPECT_TRUE(page->modified());
        EXPECT_TRUE(page->shown().speakWord);
        EXPECT_EQ(page->shown().pace, 150);
        EXPECT_EQ(part<QLabel>(page.get(), "fileImpostazioni")->text().startsWith(QStringLiteral("Non c'è")),
            QString::fromLatin1(row.what).startsWith(QStringLiteral("no teacher")));
    }
}

} // namespace
