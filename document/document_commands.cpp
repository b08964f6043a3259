#include "document/document_commands.hpp"

#include <optional>
#include <utility>

#include "document/config_file.hpp"
#include "document/file_header.hpp"
#include "document/texts.hpp"
#include "document/utf8_path.hpp"

namespace glt {

std::string NewCaption()
{
    return "[New] - " + std::string(kAppTitle);
}

std::string FileCaption(std::string_view path)
{
    return "[" + FileNameOf(path) + "] - " + std::string(kAppTitle);
}

DocumentCommands::DocumentCommands(Document& doc, PageTable& pages, Shell& shell, Clock now)
    : doc_(doc), pages_(pages), shell_(shell), now_(std::move(now))
{
}

void DocumentCommands::SBNewConfigClick(bool hasSender)
{
    pages_.DefaultAll();
    shell_.SetStatusText(kStatusVersion);
    if (hasSender) {
        shell_.SetCaption(NewCaption());
    }
    doc_.state.HasFileName = false;
}

void DocumentCommands::SBLoadFileClick()
{
    const std::optional<std::string> path = shell_.ChooseOpenFile();
    if (!path) {
        return;
    }
    // Every check runs before anything of the document changes.
    const LoadedConfig loaded = ReadConfigFile(*path);
    doc_.state.WideDisplay = loaded.wideDisplay;
    doc_.image = loaded.image;
    pages_.RefreshAll();
    shell_.SetStatusText(kStatusVersion);
    doc_.state.DocumentFileName = *path;
    doc_.state.HasFileName = true;
    shell_.SetCaption(FileCaption(*path));
}

void DocumentCommands::SBSaveFileClick(bool hasSender)
{
    SBSaveAsFileClick(doc_.state.HasFileName ? false : hasSender);
}

void DocumentCommands::SBSaveAsFileClick(bool hasSender)
{
    std::string target;
    if (hasSender) {
        std::optional<std::string> chosen = shell_.ChooseSaveFile();
        if (!chosen) {
            return;
        }
        target = std::move(*chosen);
    } else {
        target = doc_.state.DocumentFileName;
    }
    const FileHeader header = MakeFileHeader(doc_.state.WideDisplay, now_());
    pages_.WriteBackAll();
    SealBlocks(doc_.image);
    WriteConfigFile(target, header, doc_.image);
    doc_.state.DocumentFileName = target;
    doc_.state.HasFileName = true;
    shell_.SetCaption(FileCaption(target));
}

} // namespace glt
