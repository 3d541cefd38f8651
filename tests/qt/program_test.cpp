// The Linux program as a process: "E" and closing the window end it with status 0,
// a missing display is one clear line, a run-time error ends it with status 1.
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <cstdlib>

#include "app/qt_game.h"
#include "base/runtime_error.h"
#include "qt/qt_program.h"
#include "qt_fixture.h"

namespace vop::test {
namespace {

QWidget* programControl(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = top->findChild<QWidget*>(name)) {
            return found;
        }
    }
    return nullptr;
}

// Runs the program in this process and ends it with runVop's status. The watchdog
// ends a run that the action failed to stop with a status no test expects.
[[noreturn]] void runProgramAndThen(void (*action)()) {
    // The first hand, and one card to refill a slot.
    ScriptedRandom random{valueFor(card('H', 7)), valueFor(card('H', 2)),  valueFor(card('S', 7)),
                          valueFor(card('C', 9)), valueFor(card('D', 13)), valueFor(card('S', 1))};
    QTimer::singleShot(0, action);
    QTimer::singleShot(60000, [] { std::_Exit(3); });
    std::exit(runVop(random));
}

TEST(Program, EEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(
        runProgramAndThen([] { QTest::mouseClick(programControl("cmdPlay(1)"), Qt::LeftButton); }),
        ::testing::ExitedWithCode(0), "");
}

TEST(Program, EEndsTheProcessInTheMiddleOfAGame) {
    EXPECT_EXIT(runProgramAndThen([] {
                    QTest::mouseClick(programControl("btnCard(3)"), Qt::LeftButton);
                    QTest::mouseClick(programControl("cmdPlay(1)"), Qt::LeftButton);
                }),
                ::testing::ExitedWithCode(0), "");
}

TEST(Program, ClosingTheWindowEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(runProgramAndThen([] { programControl("btnFocus")->window()->close(); }),
                ::testing::ExitedWithCode(0), "");
}

TEST(Program, ARunTimeErrorEndsTheProcessWithStatusOne) {
    EXPECT_EXIT(
        {
            ScriptedRandom random;
            QtFormRuntime runtime(vopWindow(), random);
            raiseRuntimeError(RuntimeError::Overflow, "16-bit integer");
        },
        ::testing::ExitedWithCode(1), "run-time error 6: Overflow");
}

struct Finished {
    int status = -1;
    QProcess::ExitStatus how = QProcess::CrashExit;
    QString err;
};

// Starts the real program with these environment changes and waits (bounded) for it to end.
Finished runVopProcess(const QStringList& unset, const QStringList& set) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset) {
        env.remove(name);
    }
    for (const QString& entry : set) {
        env.insert(entry.section('=', 0, 0), entry.section('=', 1));
    }
    QProcess vop;
    vop.setProcessEnvironment(env);
    vop.start(VOP_PROGRAM, {});
    Finished run;
    if (!vop.waitForFinished(60000)) {
        vop.kill();
        vop.waitForFinished();
        return run;
    }
    run.status = vop.exitCode();
    run.how = vop.exitStatus();
    run.err = QString::fromUtf8(vop.readAllStandardError());
    return run;
}

TEST(Program, WithoutADisplayItSaysSoInOneLine) {
    const Finished run = runVopProcess({"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, {});
    EXPECT_EQ(run.how, QProcess::NormalExit);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "vop: no display: set DISPLAY or WAYLAND_DISPLAY\n");
}

TEST(Program, AnUnreachableDisplayIsOneLineTooNotACrash) {
    const Finished run = runVopProcess({"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
                                       {"DISPLAY=:4999", "XAUTHORITY=/nonexistent"});
    EXPECT_EQ(run.how, QProcess::NormalExit);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.startsWith("vop: cannot open the display")) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
}

}  // namespace
}  // namespace vop::test
