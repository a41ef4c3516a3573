// CLogView: the "Log" tab of a document window. A multi-line text view in
// "Courier New" that the user can type into, and at the same time an output
// text stream: whatever is written to it appears at the end of its text.
#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <mutex>
#include <ostream>
#include <string_view>

#include "framework/editview.h"
#include "logstreambuf.h"

class QTextDocument;

class CLogView : public CEditView, public std::ostream {
    Q_OBJECT
public:
    // Both bases have these names; the widget's are meant.
    using CEditView::move;
    using CEditView::width;

    explicit CLogView(QWidget* parent = nullptr);
    ~CLogView() override;

    // The whole text of the log.
    QString GetText() const;

    void OnInitialUpdate() override;
    void OnDraw(QPainter* painter) override;
    void OnBeginPrinting(QPainter* painter, CPrintInfo* info) override;
    void OnPrint(QPainter* painter, CPrintInfo* info) override;
    void OnEndPrinting(QPainter* painter, CPrintInfo* info) override;

    // The log font: "Courier New", 12 pixels high, normal weight.
    static QFont MakeLogFont();

private:
    void Write(std::string_view text);
    void AppendText(const QString& text);
    void FlushPending();
    void Unregister();
    QFont MakePrintFont() const;

    QFont m_logFont;               // the font of the text
    app::LogStreamBuf m_buf;       // the stream's buffer, writing into the text
    std::mutex m_pendingLock;      // guards text written from other threads
    std::string m_pending;         // such text, until the view's thread takes it
    bool m_flushPosted = false;
    std::unique_ptr<QTextDocument> m_printDoc;   // the text laid out for one print run
};
