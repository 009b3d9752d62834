#include "wizard/TFormRes.h"

#include "app/CGlobalVar.h"
#include "app/DebugPrint.h"
#include "platform/AppPath.h"
#include "platform/Dialogs.h"

#include <QImageReader>

#include <algorithm>
#include <cctype>
#include <filesystem>

// The resources live in the static UI library: nothing references them, so register them here.
static void InitSkinResources() {
    Q_INIT_RESOURCE(skin);
}

TFormRes* FormRes = nullptr;

namespace {

std::string LowerExtension(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return std::string();
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

TFormRes::TFormRes(CGlobalVar& global, platform::Dialogs& dialogs)
    : global_(global), dialogs_(dialogs) {
    if (!FormRes)
        FormRes = this;
    LoadBuiltIn();
    FormCreate();
}

TFormRes::~TFormRes() {
    if (FormRes == this)
        FormRes = nullptr;
}

std::vector<TFormRes::Slot> TFormRes::Slots() {
    return {
        {"ImgBGMain", &ImgBGMain},
        {"ImgFrameBG", &ImgFrameBG},
        {"ImgBtnN", &ImgBtnN},
        {"ImgBtnH", &ImgBtnH},
        {"ImgBtnD", &ImgBtnD},
        {"ImgBGProgress", &ImgBGProgress},
        {"ImgTutorial", &ImgTutorial},
        {"ImgBGAutorun", &ImgBGAutorun},
        {"ImgBtnSetupWizardN", &ImgBtnSetupWizardN},
        {"ImgBtnSetupWizardD", &ImgBtnSetupWizardD},
        {"ImgBtnUGN", &ImgBtnUGN},
        {"ImgBtnUGD", &ImgBtnUGD},
        {"ImgBtnProductRegN", &ImgBtnProductRegN},
        {"ImgBtnProductRegD", &ImgBtnProductRegD},
        {"ImgBtnExitN", &ImgBtnExitN},
        {"ImgBtnExitD", &ImgBtnExitD},
        {"ImgBtnUG_UGN", &ImgBtnUG_UGN},
        {"ImgBtnUG_UGD", &ImgBtnUG_UGD},
        {"ImgBtnUG_QIGD", &ImgBtnUG_QIGD},
        {"ImgBtnUG_QIGN", &ImgBtnUG_QIGN},
    };
}

const QImage* TFormRes::Find(const std::string& name) const {
    for (const Slot& slot : const_cast<TFormRes*>(this)->Slots())
        if (name == slot.Name)
            return slot.Picture;
    return nullptr;
}

void TFormRes::LoadBuiltIn() {
    InitSkinResources();
    for (const Slot& slot : Slots()) {
        // Backgrounds are JPEG, button faces 24-bit bitmaps, as the skin generator writes them.
        QString base = QStringLiteral(":/skin/") + QString::fromLatin1(slot.Name);
        if (!slot.Picture->load(base + ".jpg") && !slot.Picture->load(base + ".bmp"))
            DebugPrint("TFormRes::LoadBuiltIn() FAIL %s", slot.Name);
    }
}

bool TFormRes::LoadPicture(const std::string& path, QImage& picture, std::string& error) {
    std::string ext = LowerExtension(path);
    const char* format = nullptr;
    if (ext == "bmp")
        format = "bmp";
    else if (ext == "jpg" || ext == "jpeg")
        format = "jpeg";
    else if (ext == "ico")
        format = "ico";
    // Metafiles ("emf", "wmf") have no renderer here and share the unknown extension's error.
    if (!format) {
        error = "Unknown picture file extension (." + ext + ")";
        return false;
    }
    QImageReader reader(QString::fromStdString(path), format);
    reader.setDecideFormatFromContent(false);
    QImage loaded = reader.read();
    if (loaded.isNull()) {
        error = "Cannot load picture " + path + ": " + reader.errorString().toStdString();
        return false;
    }
    picture = std::move(loaded);
    return true;
}

void TFormRes::FormCreate() {
    if (!global_.Ini)
        return;
    std::string folder = global_.AppPath + global_.Ini->ReadString("Product", "Res_Path", "");
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return;
    for (const Slot& slot : Slots()) {
        std::string file = global_.Ini->ReadString("FormRes_TImage", slot.Name, "");
        if (file.empty())
            continue;
        std::string path = folder + file;
        if (!std::filesystem::is_regular_file(path, ec))
            continue;
        std::string error;
        if (!LoadPicture(path, *slot.Picture, error)) {
            DebugPrint("TFormRes::FormCreate() FAIL %s", error.c_str());
            dialogs_.ShowError(error);
            return;
        }
    }
}
