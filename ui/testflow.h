#pragma once

class QWidget;

namespace kivola {

class TestSession;

// A whole test on screen: five question windows in turn, then the result sheet owned by the main
// window. Closing a question window any other way than by answering abandons the test: nothing
// is graded or saved. Returns when the last window of the test has closed.
void runTest(TestSession &session, QWidget *mainWindow);

} // namespace kivola
