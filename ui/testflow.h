#pragma once

class QWidget;

namespace kivola {

class Quiz;
class ScoreStore;

// A whole test on screen: five question windows in turn, then the result sheet owned by the main
// window. Closing a question window any other way than by answering abandons the test: nothing
// is graded or saved. Returns when the last window of the test has closed.
void runTest(Quiz &quiz, ScoreStore &store, QWidget *mainWindow);

} // namespace kivola
