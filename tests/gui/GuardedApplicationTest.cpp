// An exception that escapes an event handler is shown to the user and ends the program, instead
// of tearing through the toolkit.
#include "GuiTestSupport.h"

#include "GuardedApplication.h"

#include <stdexcept>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<GuardedApplication>);

TEST(GuardedApplicationTest, EscapedExceptionIsShownOnceAndEndsTheLoopWithFailure)
{
    BoxSeen seen;
    AnswerNextBox(QMessageBox::Ok, &seen);
    QTimer::singleShot(0, [] { throw std::runtime_error("disk on fire"); });
    // A second failure queued behind the first must not raise a second box.
    QTimer::singleShot(0, [] { throw std::runtime_error("and another"); });
    EXPECT_EQ(QCoreApplication::exec(), 1);
    EXPECT_EQ(seen.Caption, "Error");
    EXPECT_TRUE(seen.Text.contains("disk on fire")) << seen.Text.toStdString();
    EXPECT_FALSE(seen.HadParent);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
