#include "framework/ddx.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "framework/messagebox.h"

void CDataExchange::Fail(QWidget* control, const QString& message)
{
    m_bFailed = true;
    app::ShowMessage(message, app::MB_OK | app::MB_ICONEXCLAMATION);
    if (control) {
        control->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->selectAll();
    }
}

namespace app {

std::optional<std::int16_t> ParseShort(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    long value = 0;
    for (; i < t.size(); ++i) {
        if (!t[i].isDigit() || t[i].unicode() > '9')
            return std::nullopt;
        value = value * 10 + (t[i].unicode() - '0');
        if (value > 32768)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace app

void DDX_Text(CDataExchange* pDX, QLineEdit* edit, std::int16_t& value)
{
    if (pDX->m_bFailed)
        return;
    pDX->m_pLastControl = edit;
    if (!pDX->m_bSaveAndValidate) {
        edit->setText(QString::number(value));
        return;
    }
    auto parsed = app::ParseShort(edit->text());
    if (!parsed) {
        pDX->Fail(edit, QStringLiteral("Please enter an integer."));
        return;
    }
    value = *parsed;
}

void DDX_Text(CDataExchange* pDX, QLineEdit* edit, QString& value)
{
    if (pDX->m_bFailed)
        return;
    pDX->m_pLastControl = edit;
    if (pDX->m_bSaveAndValidate)
        value = edit->text();
    else
        edit->setText(value);
}

void DDX_Text(CDataExchange* pDX, QPlainTextEdit* edit, QString& value)
{
    if (pDX->m_bFailed)
        return;
    pDX->m_pLastControl = edit;
    if (pDX->m_bSaveAndValidate)
        value = edit->toPlainText();
    else
        edit->setPlainText(value);
}

void DDX_Check(CDataExchange* pDX, QAbstractButton* box, bool& value)
{
    if (pDX->m_bFailed)
        return;
    pDX->m_pLastControl = box;
    if (pDX->m_bSaveAndValidate)
        value = box->isChecked();
    else
        box->setChecked(value);
}

void DDV_MinMaxShort(CDataExchange* pDX, std::int16_t value, std::int16_t lo, std::int16_t hi)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate)
        return;
    if (value < lo || value > hi)
        pDX->Fail(pDX->m_pLastControl,
                  QStringLiteral("Please enter an integer between %1 and %2.").arg(lo).arg(hi));
}
