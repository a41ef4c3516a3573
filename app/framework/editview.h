// A view that is a multi-line text editor: undo, cut, copy and paste
// commands act on its text, and printing prints the text.
#pragma once

#include "framework/view.h"

class QPlainTextEdit;

class CEditView : public CView {
    Q_OBJECT
public:
    explicit CEditView(QWidget* parent = nullptr);

    QPlainTextEdit* GetEditCtrl() const { return m_edit; }

    // Printing: the text, wrapped to the width of the page's draw rectangle
    // and cut into pages at line boundaries; printing stops after the last.
    void OnPrepareDC(QPainter* painter, CPrintInfo* info) override;
    void OnPrint(QPainter* painter, CPrintInfo* info) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QPlainTextEdit* m_edit;
};
