#include "location/work_paths.h"

namespace quillobar {

void deriveWorkPaths(TestState& state, char16_t separator) {
    state.workFolder = state.driveRoot + kWorkFolderName + separator;
    state.cleanFolder = state.workFolder;
    state.workFile = state.workFolder + kWorkFileName;
}

void createFolder(Os& os, const std::u16string& path) {
    std::u16string folder = path.substr(0, kMaxPathChars);
    while (!folder.empty() &&
           (folder.back() == u' ' || folder.back() == u'/' || folder.back() == u'\\')) {
        folder.pop_back();
    }
    os.createDirectory(folder);
}

bool workPathIsLink(Engine& engine) {
    return engine.os.isLink(engine.state.workFolder) || engine.os.isLink(engine.state.workFolder + kWorkFileName);
}

void deleteWorkFile(Engine& engine) {
    if (workPathIsLink(engine)) return;
    engine.os.deleteFile(engine.state.workFolder + kWorkFileName);
}

void emptyFolder(Os& os, const std::u16string& folder) {
    if (folder.empty()) return;
    std::u16string base = folder.substr(0, kMaxPathChars);
    const char16_t separator = os.pathSeparator();
    if (base.size() < kMaxPathChars && base.back() != separator) base += separator;
    if (os.isLink(base)) return;

    std::vector<FolderEntry> entries;
    if (!os.findFiles(base + u"*.*", entries)) return;
    for (const FolderEntry& entry : entries) {
        if (entry.isDirectory) continue;
        // Someone else planted it; it stays, like a link at the work file.
        if (os.isLink(base + entry.name)) continue;
        os.deleteFile(base + entry.name);
    }
    os.removeDirectory(base);
}

void showSelectedPath(Engine& engine) {
    engine.ui.setStatusText(0, u"已选路径: " + engine.state.workFile, StatusAppearance::Plain);
}

void recreateWorkFolder(Engine& engine) {
    createFolder(engine.os, engine.state.workFolder);
    showSelectedPath(engine);
    engine.ui.drainPendingEvents();
}

}  // namespace quillobar
