// MountedPhones over GIO: the GVfs FUSE folder is listed, and files are copied, read and
// removed with GFile, which also serves a plain folder (the tests' fake runtime folder).
#include "platform/MountedPhones.h"

#include <gio/gio.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

constexpr const char* mtpPrefix = "mtp:host=";

// Owns one GObject reference.
template <typename T> class Ref {
public:
    explicit Ref(T* object) : value(object) {}
    ~Ref() {
        if (value != nullptr) {
            g_object_unref(value);
        }
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T* get() const { return value; }

private:
    T* value;
};

// The names of the folders in path, in listing order.
std::vector<std::string> Folders(const std::string& path) {
    std::vector<std::string> names;
    const Ref<GFile> folder(g_file_new_for_path(path.c_str()));
    const Ref<GFileEnumerator> entries(g_file_enumerate_children(
        folder.get(), G_FILE_ATTRIBUTE_STANDARD_NAME "," G_FILE_ATTRIBUTE_STANDARD_TYPE,
        G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    if (entries.get() == nullptr) {
        return names;
    }
    while (GFileInfo* info = g_file_enumerator_next_file(entries.get(), nullptr, nullptr)) {
        if (g_file_info_get_file_type(info) == G_FILE_TYPE_DIRECTORY) {
            names.emplace_back(g_file_info_get_name(info));
        }
        g_object_unref(info);
    }
    return names;
}

// GVfs names an MTP mount after udev's ID_SERIAL, VENDOR_MODEL_SERIAL with every space made
// "_". The serial is told from the model by its look: at least six letters and digits, one a
// digit, after at least two words ("8" of "Google_Pixel_8" is no serial).
MountedPhones::Phone PhoneOfMount(const std::string& host) {
    std::vector<std::string> words;
    std::istringstream parts(host);
    for (std::string word; std::getline(parts, word, '_');) {
        if (!word.empty()) {
            words.push_back(word);
        }
    }
    MountedPhones::Phone phone;
    const std::string& last = words.empty() ? host : words.back();
    const bool serial =
        words.size() >= 3 && last.size() >= 6 &&
        std::all_of(last.begin(), last.end(),
                    [](unsigned char c) { return std::isalnum(c) != 0; }) &&
        std::any_of(last.begin(), last.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
    if (serial) {
        phone.serial = last;
        words.pop_back();
    }
    // Some makers put their name in the model too: "SAMSUNG_SAMSUNG_Android".
    if (words.size() >= 2 && g_ascii_strcasecmp(words[0].c_str(), words[1].c_str()) == 0) {
        words.erase(words.begin());
    }
    for (const std::string& word : words) {
        phone.name += (phone.name.empty() ? "" : " ") + word;
    }
    return phone;
}

// A failed call's end: puts the system's error number behind the GIO error into *systemError
// (GIO made the error from one for these local paths; EIO for any other), frees the error and
// returns false.
bool Failed(GError* error, int* systemError) {
    if (systemError != nullptr) {
        *systemError = EIO;
        if (error != nullptr && error->domain == G_IO_ERROR) {
            static constexpr struct {
                int code;
                int number;
            } numbers[] = {{G_IO_ERROR_PERMISSION_DENIED, EACCES},
                           {G_IO_ERROR_READ_ONLY, EROFS},
                           {G_IO_ERROR_NO_SPACE, ENOSPC},
                           {G_IO_ERROR_NOT_FOUND, ENOENT},
                           {G_IO_ERROR_NOT_DIRECTORY, ENOTDIR},
                           {G_IO_ERROR_FILENAME_TOO_LONG, ENAMETOOLONG},
                           {G_IO_ERROR_IS_DIRECTORY, EISDIR}};
            for (const auto& n : numbers) {
                if (error->code == n.code) {
                    *systemError = n.number;
                }
            }
        }
    }
    if (error != nullptr) {
        g_error_free(error);
    }
    return false;
}

class GioMountedPhones : public MountedPhones {
public:
    explicit GioMountedPhones(std::string folder) : gvfs(std::move(folder) + "/gvfs") {}

    std::vector<Phone> List() override {
        std::vector<Phone> phones;
        for (const std::string& mount : Folders(gvfs)) {
            if (!mount.starts_with(mtpPrefix)) {
                continue;
            }
            Phone phone = PhoneOfMount(mount.substr(std::string(mtpPrefix).size()));
            for (const std::string& storage : Folders(gvfs + "/" + mount)) {
                phone.storages.push_back(gvfs + "/" + mount + "/" + storage);
            }
            phones.push_back(std::move(phone));
        }
        return phones;
    }

    bool IsFolder(const std::string& path) override {
        const Ref<GFile> file(g_file_new_for_path(path.c_str()));
        return g_file_query_file_type(file.get(), G_FILE_QUERY_INFO_NONE, nullptr) ==
               G_FILE_TYPE_DIRECTORY;
    }

    bool Exists(const std::string& path) override {
        const Ref<GFile> file(g_file_new_for_path(path.c_str()));
        return g_file_query_exists(file.get(), nullptr);
    }

    bool MakeFolder(const std::string& path, int* systemError) override {
        const Ref<GFile> file(g_file_new_for_path(path.c_str()));
        GError* error = nullptr;
        if (g_file_make_directory(file.get(), nullptr, &error) || IsFolder(path)) {
            g_clear_error(&error);
            return true;
        }
        return Failed(error, systemError);
    }

    bool Copy(const std::string& from, const std::string& path, int* systemError) override {
        const Ref<GFile> source(g_file_new_for_path(from.c_str()));
        const Ref<GFile> target(g_file_new_for_path(path.c_str()));
        GError* error = nullptr;
        return g_file_copy(source.get(), target.get(), G_FILE_COPY_OVERWRITE, nullptr, nullptr,
                           nullptr, &error) ||
               Failed(error, systemError);
    }

    bool Read(const std::string& path, std::string& bytes) override {
        const Ref<GFile> file(g_file_new_for_path(path.c_str()));
        char* contents = nullptr;
        gsize length = 0;
        if (!g_file_load_contents(file.get(), nullptr, &contents, &length, nullptr, nullptr)) {
            return false;
        }
        bytes.assign(contents, length);
        g_free(contents);
        return true;
    }

    bool Remove(const std::string& path) override {
        const Ref<GFile> file(g_file_new_for_path(path.c_str()));
        return g_file_delete(file.get(), nullptr, nullptr);
    }

private:
    std::string gvfs;
};

} // namespace

std::unique_ptr<MountedPhones> CreateMountedPhones(const std::string& runtimeFolder) {
    std::string folder = runtimeFolder;
    if (folder.empty()) {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        folder = runtime != nullptr ? runtime : "";
    }
    return std::make_unique<GioMountedPhones>(folder);
}
