#include "platform/GioShell.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <gio/gio.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

bool LooksLikeUri(const std::string& text) {
    char* scheme = g_uri_parse_scheme(text.c_str());
    const bool uri = scheme != nullptr;
    g_free(scheme);
    return uri;
}

// A file URI for a path, made absolute against the current folder.
std::string FileUri(const std::string& path) {
    GFile* file = g_file_new_for_path(path.c_str());
    char* uri = g_file_get_uri(file);
    std::string out = uri ? uri : "";
    g_free(uri);
    g_object_unref(file);
    return out;
}

// The content type from the file itself when it can be read, else guessed from its name.
std::string ContentType(const std::string& path) {
    GFile* file = g_file_new_for_path(path.c_str());
    GFileInfo* info = g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                        G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
    std::string type;
    if (info && g_file_info_get_content_type(info))
        type = g_file_info_get_content_type(info);
    if (info)
        g_object_unref(info);
    g_object_unref(file);
    if (type.empty()) {
        char* guessed = g_content_type_guess(path.c_str(), nullptr, 0, nullptr);
        if (guessed)
            type = guessed;
        g_free(guessed);
    }
    return type;
}

// The few libX11 entry points we need, loaded at run time so the core links no X library.
struct X11 {
    decltype(&XOpenDisplay) OpenDisplay = nullptr;
    decltype(&XCloseDisplay) CloseDisplay = nullptr;
    decltype(&XInternAtom) InternAtom = nullptr;
    decltype(&XGetWindowProperty) GetWindowProperty = nullptr;
    decltype(&XQueryTree) QueryTree = nullptr;
    decltype(&XFree) Free = nullptr;
    decltype(&XDefaultRootWindow) RootOf = nullptr;
    bool ok = false;

    X11() {
        void* lib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;
        auto get = [lib](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            return fn != nullptr;
        };
        ok = get(OpenDisplay, "XOpenDisplay") && get(CloseDisplay, "XCloseDisplay") &&
             get(InternAtom, "XInternAtom") && get(GetWindowProperty, "XGetWindowProperty") &&
             get(QueryTree, "XQueryTree") && get(Free, "XFree") &&
             get(RootOf, "XDefaultRootWindow");
    }
};

const X11& X() {
    static const X11 x;
    return x;
}

// A property's bytes (format 8) or its 32-bit items (format 32, as longs).
bool GetProperty(Display* d, Window w, Atom prop, Atom type, std::string* text,
                 std::vector<Window>* windows) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (X().GetWindowProperty(d, w, prop, 0, 1 << 20, False, type, &actualType, &format, &count,
                              &after, &data) != Success ||
        !data)
        return false;
    bool got = false;
    if (text && format == 8) {
        text->assign(reinterpret_cast<char*>(data), count);
        got = true;
    } else if (windows && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        windows->assign(items, items + count);
        got = true;
    }
    X().Free(data);
    return got;
}

} // namespace

bool GioShell::HasAssociatedProgram(const std::string& path) {
    const std::string type = ContentType(path);
    if (type.empty())
        return false;
    GAppInfo* app = g_app_info_get_default_for_type(type.c_str(), FALSE);
    if (!app)
        return false;
    g_object_unref(app);
    return true;
}

bool GioShell::Open(const std::string& pathOrUrl) {
    if (pathOrUrl.empty())
        return false;
    const std::string uri = LooksLikeUri(pathOrUrl) ? pathOrUrl : FileUri(pathOrUrl);
    GError* error = nullptr;
    const bool ok = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error);
    if (error)
        g_error_free(error);
    return ok;
}

void GioShell::RunHidden(const std::vector<std::string>& argv) {
    if (argv.empty())
        return;
    // Everything the intermediate child needs is made before the fork.
    std::vector<std::string> args = argv;
    std::vector<char*> cargs;
    for (auto& a : args)
        cargs.push_back(a.data());
    cargs.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&fa, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);

    // Double fork: the command is adopted by init, so it never lingers as our zombie.
    const pid_t middle = ::fork();
    if (middle == 0) {
        pid_t pid;
        const int rc = posix_spawnp(&pid, cargs[0], &fa, &attr, cargs.data(), environ);
        ::_exit(rc == 0 ? 0 : 127);
    }
    if (middle > 0) {
        int status = 0;
        while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&fa);
}

bool GioShell::FindTopLevelWindow(const std::string& title) {
    if (!X().ok)
        return false;
    Display* d = X().OpenDisplay(nullptr);
    if (!d)
        return false;
    const Window root = X().RootOf(d);
    const Atom clientList = X().InternAtom(d, "_NET_CLIENT_LIST", False);
    const Atom netName = X().InternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = X().InternAtom(d, "UTF8_STRING", False);

    std::vector<Window> windows;
    if (!GetProperty(d, root, clientList, XA_WINDOW, nullptr, &windows) || windows.empty()) {
        // No window manager keeps the list: the root's children are the top-level windows.
        Window rootRet = 0, parent = 0;
        Window* children = nullptr;
        unsigned int n = 0;
        if (X().QueryTree(d, root, &rootRet, &parent, &children, &n) && children) {
            windows.assign(children, children + n);
            X().Free(children);
        }
    }
    bool found = false;
    for (Window w : windows) {
        std::string name;
        if ((GetProperty(d, w, netName, utf8, &name, nullptr) ||
             GetProperty(d, w, XA_WM_NAME, XA_STRING, &name, nullptr)) &&
            name == title) {
            found = true;
            break;
        }
    }
    X().CloseDisplay(d);
    return found;
}

} // namespace platform
