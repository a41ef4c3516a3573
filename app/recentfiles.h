// RecentFileList: the most recently opened or saved documents, newest first,
// at most a fixed number of entries, kept in the program's settings under
// "Recent File List" as File1, File2, ...
#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace app {

class RecentFileList {
public:
    explicit RecentFileList(int maxEntries = 8) : m_maxEntries(maxEntries) {}

    // Puts path first; an older entry of the same file is dropped, and the
    // oldest entry falls off when the list is full.
    void add(const QString& path);
    void remove(int index);
    void clear() { m_paths.clear(); }

    int size() const { return static_cast<int>(m_paths.size()); }
    int maxEntries() const { return m_maxEntries; }
    QString at(int index) const { return m_paths.value(index); }
    const QStringList& paths() const { return m_paths; }

    // Menu text of entry index: "&1 name", '&' in the name doubled, a long
    // path shortened in the middle.
    QString menuText(int index) const;

    void load(QSettings& settings);
    void save(QSettings& settings) const;

    static constexpr const char* kSection = "Recent File List";

private:
    int m_maxEntries;
    QStringList m_paths;    // absolute paths, newest first
};

}  // namespace app
