#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"

#include <QList>

#include <cstdint>

// A complete bank of made-up questions for the logic and window tests: question id n has the
// text "問題ｎ番の文です。" padded to length, answer 1 for odd ids and 2 for even ones, and an
// explanation only on even ids.
namespace fixture {

kivola::QuestionRecord question(int id);
kivola::QuestionBank completeBank();
kivola::BankBuild completeBuild();
// A note for every question: id n has the commentary "問題n番の補足です。", period n % 12 and the
// theme n % 6, in the order of their lists.
kivola::StudyLayer completeLayer();
kivola::StudyLayerBuild completeLayerBuild(const kivola::QuestionBank &bank);

// The uniform number that makes the draw produce this id.
float uniformFor(int id);
QList<float> uniformsFor(const QList<int> &ids);

} // namespace fixture
