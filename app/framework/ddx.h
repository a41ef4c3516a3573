// Dialog data exchange and validation: copies values between controls and
// member variables and refuses bad input with the framework's messages
// ("Please enter an integer.", "Please enter an integer between %1 and %2.").
// After the first refusal every later call of the same exchange does nothing,
// and the refused control gets the focus with its text selected.
#pragma once

#include <cstdint>
#include <optional>

#include <QString>

class QWidget;
class QLineEdit;
class QPlainTextEdit;
class QAbstractButton;

class CDataExchange {
public:
    CDataExchange(QWidget* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // Shows message, focuses control and marks the exchange failed.
    void Fail(QWidget* control, const QString& message);

    QWidget* m_pDlgWnd;
    bool m_bSaveAndValidate;            // true: controls -> members
    bool m_bFailed = false;
    QWidget* m_pLastControl = nullptr;  // the control DDV_ checks refer to
};

void DDX_Text(CDataExchange* pDX, QLineEdit* edit, std::int16_t& value);
void DDX_Text(CDataExchange* pDX, QLineEdit* edit, QString& value);
void DDX_Text(CDataExchange* pDX, QPlainTextEdit* edit, QString& value);
void DDX_Check(CDataExchange* pDX, QAbstractButton* box, bool& value);
// Refuses value outside lo..hi while saving.
void DDV_MinMaxShort(CDataExchange* pDX, std::int16_t value, std::int16_t lo, std::int16_t hi);

namespace app {

// Reads a 16-bit integer the way the exchange does: blanks around an
// optional sign and decimal digits; anything else, or a value outside
// -32768..32767, is not an integer.
std::optional<std::int16_t> ParseShort(const QString& text);

}  // namespace app
