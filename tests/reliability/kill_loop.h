#pragma once

// Kills a program that saves over and over at random moments, most of them in the middle of a
// save, and looks at what each kill left: the saved files whole, and no stray file once the
// next save into the folder has gone through.

#include <QDir>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

struct KilledSaves {
    // What one kill left: `check` looks at the saved files, `nextSave` saves once more.
    std::function<void()> check;
    std::function<void()> nextSave;
    // The files the saves make; anything else in the folder after the next save is a stray.
    QStringList saved;
};

// Runs `command` and kills it, up to 50 times in 25 s, and returns the number of kills.
inline int KillDuringSaves(const std::vector<QByteArray>& command, const QString& folder,
                           const KilledSaves& saves)
{
    using namespace std::chrono_literals;
    std::vector<char*> argv;
    for (const QByteArray& argument : command)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayMs(0, 50);
    const auto deadline = std::chrono::steady_clock::now() + 25s;
    int kills = 0;
    QStringList strays;
    for (; kills < 50 && std::chrono::steady_clock::now() < deadline; ++kills) {
        SCOPED_TRACE(testing::Message() << "kill " << kills);
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        // Ending any other way means the loop failed a save or a sanitizer stopped it.
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            ADD_FAILURE() << "status " << status;
            break;
        }
        saves.check();
        // Whatever the kill left beside the files, the next save must not leave it lying
        // around. Each stray is noted and cleared, so that one does not hide what the later
        // kills leave.
        saves.nextSave();
        for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                          QDir::System | QDir::NoDotAndDotDot)) {
            if (saves.saved.contains(name))
                continue;
            strays << QStringLiteral("%1 after kill %2").arg(name).arg(kills);
            QFile::remove(QDir(folder).filePath(name));
        }
        if (testing::Test::HasFatalFailure())
            break;
    }
    EXPECT_TRUE(strays.isEmpty()) << "left in place by the next save: "
                                  << strays.join(QLatin1String(", ")).toStdString();
    EXPECT_GE(kills, 30);
    return kills;
}
