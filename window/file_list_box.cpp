#include "window/file_list_box.h"

#include <utility>

#include <QAbstractListModel>
#include <QApplication>
#include <QItemSelectionModel>

#include "engine/file_list.h"
#include "window/display_text.h"

namespace klarwell::window {

// Shows the names on demand, so a long list costs only the rows on screen.
class FileListBox::Model : public QAbstractListModel {
public:
    Model(const engine::NameList& names, QObject* parent)
        : QAbstractListModel(parent), m_Names(names) {}

    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_Names.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) {
            return {};
        }
        return DisplayText(m_Names[static_cast<std::size_t>(index.row())]);
    }

private:
    const engine::NameList& m_Names;
};

FileListBox::FileListBox(const engine::FileSystem& fs, QWidget* parent)
    : QListView(parent), m_FileSystem(fs), m_Model(new Model(m_Names, this)) {
    setModel(m_Model);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

FileListBox::~FileListBox() = default;

std::error_code FileListBox::SetPath(const std::filesystem::path& folder) {
    m_Path = folder;
    return Refresh();
}

std::error_code FileListBox::Refresh() {
    // A folder of many thousand files takes a moment to read; the user sees that it is working.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_Model->BeginReset();
    m_Names = {};  // let go of the old list before the new one is read, not hold both at once
    engine::FolderListing listing = engine::ListAudioFiles(m_FileSystem, m_Path);
    QApplication::restoreOverrideCursor();
    if (!listing.Error) {
        m_Names = std::move(listing.Names);
    }
    m_Model->EndReset();
    return listing.Error;
}

int FileListBox::ListIndex() const {
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

void FileListBox::SetListIndex(int index) {
    const QModelIndex entry = m_Model->index(index, 0);
    if (!entry.isValid()) {
        return;
    }
    selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    scrollTo(entry);
}

}  // namespace klarwell::window
