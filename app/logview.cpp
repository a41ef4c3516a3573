// CLogView: registration with the document, the log font, stream output into
// the text (from any thread) and printing with an indented page.
#include "logview.h"

#include <QAbstractTextDocumentLayout>
#include <QMetaObject>
#include <QPainter>
#include <QTextDocument>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QThread>
#include <algorithm>

#include "hcpdoc.h"

namespace {

// How far the printed text stands in from the page's left and top edges,
// in printer pixels.
constexpr int kPrintIndent = 100;

}  // namespace

CLogView::CLogView(QWidget* parent)
    : CEditView(parent),
      std::ostream(nullptr),
      m_buf([this](std::string_view text) { Write(text); })
{
    // The stream starts without a buffer and is connected to the text here,
    // once the view exists.
    rdbuf(&m_buf);
}

CLogView::~CLogView()
{
    rdbuf(nullptr);
    Unregister();
}

void CLogView::Unregister()
{
    if (auto* doc = qobject_cast<CHcpDoc*>(GetDocument()))
        doc->ReleaseLogView(this);
}

QFont CLogView::MakeLogFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // Where "Courier New" is missing, fall back to a fixed-pitch face.
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void CLogView::OnInitialUpdate()
{
    CEditView::OnInitialUpdate();
    if (auto* doc = qobject_cast<CHcpDoc*>(GetDocument()))
        doc->SetLogView(this, this);
    m_logFont = MakeLogFont();
    GetEditCtrl()->setFont(m_logFont);
    GetEditCtrl()->update();
}

void CLogView::OnDraw(QPainter*)
{
    // The text control paints itself.
}

QString CLogView::GetText() const
{
    return GetEditCtrl()->toPlainText();
}

void CLogView::Write(std::string_view text)
{
    if (text.empty())
        return;
    if (QThread::currentThread() == thread()) {
        FlushPending();
        AppendText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        return;
    }
    // From another thread (a running search): collect the text and let the
    // view's thread insert it. The queued call is dropped if the view goes.
    std::lock_guard<std::mutex> lock(m_pendingLock);
    m_pending.append(text);
    if (!m_flushPosted) {
        m_flushPosted = true;
        QMetaObject::invokeMethod(this, [this] { FlushPending(); }, Qt::QueuedConnection);
    }
}

void CLogView::FlushPending()
{
    std::string text;
    {
        std::lock_guard<std::mutex> lock(m_pendingLock);
        text.swap(m_pending);
        m_flushPosted = false;
    }
    if (!text.empty())
        AppendText(QString::fromStdString(text));
}

void CLogView::AppendText(const QString& text)
{
    QPlainTextEdit* edit = GetEditCtrl();
    QScrollBar* bar = edit->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    // Insert at the end without moving the user's cursor or selection.
    QTextCursor end(edit->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    if (atBottom)
        bar->setValue(bar->maximum());
}

QFont CLogView::MakePrintFont() const
{
    // The same face in points, so that it keeps its size on a printer of
    // any resolution (12 screen pixels at 96 dpi are 9 points).
    QFont font = m_logFont;
    font.setPointSizeF(m_logFont.pixelSize() > 0 ? m_logFont.pixelSize() * 72.0 / 96.0 : 9.0);
    return font;
}

void CLogView::OnBeginPrinting(QPainter* painter, CPrintInfo* info)
{
    // Lay the text out once for the whole run: the page is the printable
    // area less the indent at the left and top.
    QPaintDevice* device = painter->device();
    const QSizeF page(std::max(1, device->width() - kPrintIndent), std::max(1, device->height() - kPrintIndent));
    m_printDoc = std::make_unique<QTextDocument>();
    m_printDoc->documentLayout()->setPaintDevice(device);
    m_printDoc->setDefaultFont(MakePrintFont());
    m_printDoc->setDocumentMargin(0);
    m_printDoc->setPlainText(GetText());
    m_printDoc->setPageSize(page);
    info->SetMinPage(1);
    info->SetMaxPage(std::max(1, m_printDoc->pageCount()));
}

void CLogView::OnPrint(QPainter* painter, CPrintInfo* info)
{
    if (!m_printDoc)
        OnBeginPrinting(painter, info);
    info->m_rectDraw.setLeft(info->m_rectDraw.left() + kPrintIndent);
    info->m_rectDraw.setTop(info->m_rectDraw.top() + kPrintIndent);
    const QSizeF page = m_printDoc->pageSize();
    const int index = info->m_nCurPage - 1;
    if (index < 0 || index >= m_printDoc->pageCount())
        return;
    const QRectF source(0, index * page.height(), page.width(), page.height());
    painter->save();
    painter->translate(info->m_rectDraw.left(), info->m_rectDraw.top() - source.top());
    m_printDoc->drawContents(painter, source);
    painter->restore();
}

void CLogView::OnEndPrinting(QPainter* painter, CPrintInfo* info)
{
    m_printDoc.reset();
    CEditView::OnEndPrinting(painter, info);
}
