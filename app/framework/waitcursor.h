// Shows the wait cursor for the lifetime of the object.
#pragma once

#include <QApplication>
#include <QCursor>

class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
