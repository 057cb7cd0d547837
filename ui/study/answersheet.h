#pragma once

class QTableWidget;
class QWidget;

namespace kivola {

class MockPaper;

// The answer sheet of a mock paper: a row for every item, its number and part, the options in a
// row as the mark sheet prints them with the chosen one filled in, and whether it is unanswered
// or marked to look at again. A row is chosen to go to its item.
QTableWidget *createAnswerSheet(QWidget *parent);
void fillAnswerSheet(QTableWidget *sheet, const MockPaper &paper);

} // namespace kivola
