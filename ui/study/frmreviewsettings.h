#pragma once

#include "memory/fsrsparameters.h"
#include "memory/review.h"
#include "memory/reviewsettings.h"
#include "ui/kit/modalwindow.h"

#include <vector>

class QDateEdit;
class QLabel;
class QPushButton;
class QSpinBox;

namespace kivola {

class MemoryFitter;
struct MemoryFit;
namespace kit {
class Label;
}

// The daily review's settings: the retention to review at, new statements a day, the size of a
// batch and the exam date, with a line saying what today's plan becomes under them; and the
// fit of the memory model to the student's own answers, on request. Accepted with OK: the
// caller keeps settings().
class FrmReviewSettings : public kit::ModalWindow
{
    Q_OBJECT

public:
    // The settings as kept; the answers and parameters the plan line is worked out from, on the
    // study day `today`. The fitter, when given, fits on request.
    FrmReviewSettings(const ReviewSettings &current, std::vector<Review> reviews,
        const FsrsParameters &parameters, qint64 today, MemoryFitter *fitter, QWidget *owner);

    // What the controls say, clamped.
    ReviewSettings settings() const;

private:
    void updatePlan();
    void fit();
    void showFitRunning();
    void fitFinished(const MemoryFit &fit, bool stored);

    std::vector<Review> m_reviews;
    FsrsParameters m_parameters;
    qint64 m_today;
    MemoryFitter *m_fitter;
    QSpinBox *m_spnRetention;
    QSpinBox *m_spnNewPerDay;
    QSpinBox *m_spnSessionSize;
    QDateEdit *m_datExam;
    kit::Label *m_lblPlan;
    QPushButton *m_btnFit;
    kit::Label *m_lblFit;
};

} // namespace kivola
