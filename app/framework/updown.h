// An up-down control beside an edit field (its buddy): the arrows and the
// arrow keys in the buddy step the buddy's number within a range. Typed
// values outside the range stay as typed; the dialog validates them.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class CSpinButtonCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CSpinButtonCtrl(QWidget* parent = nullptr);

    void SetRange(int lo, int hi);
    int GetRangeLow() const { return m_lo; }
    int GetRangeHigh() const { return m_hi; }
    // The edit whose number the arrows change; arrow keys in it step too.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* GetBuddy() const { return m_buddy; }

    // One step up (+1) or down (-1): a number below the range becomes the
    // low end, above it the high end; the ends are not passed.
    void Step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_buddy = nullptr;
    int m_lo = 0;
    int m_hi = 100;
};
