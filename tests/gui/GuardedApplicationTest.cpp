// An exception that escapes an event handler is shown to the user and ends the program, instead
// of tearing through the toolkit.
#include "GuiTestSupport.h"

#include "GuardedApplication.h"

#include <stdexcept>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<GuardedApplication>);

TEST(GuardedApplicationTest, EscapedExceptionIsShownOnceAndEndsTheLoopWithFailure)
{
    QTimer::singleShot(0, [] { throw std::runtime_error("disk on fire"); });
    // A second failure queued behind the first must not raise a second box.
    QTimer::singleShot(0, [] { throw std::runtime_error("and another"); });
    int status = 0;
    const auto boxes = Answering({QMessageBox::Ok, QMessageBox::Ok}, [&status] { status = QCoreApplication::exec(); });
    EXPECT_EQ(status, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, "Error");
    EXPECT_TRUE(boxes[0].Text.contains("disk on fire")) << boxes[0].Text.toStdString();
}

} // namespace
