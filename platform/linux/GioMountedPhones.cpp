// MountedPhones over GIO: the GVfs FUSE folder is listed, and files are copied, read and
// removed with GFile, which also serves a plain folder (the tests' fake runtime folder).
#include "platform/MountedPhones.h"

#include <gio/gio.h>

#include <cstdlib>

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

class GioMountedPhones : public MountedPhones {
public:
    explicit GioMountedPhones(std::string folder) : gvfs(std::move(folder) + "/gvfs") {}

    std::vector<Phone> List() override {
        std::vector<Phone> phones;
        for (const std::string& mount : Folders(gvfs)) {
            if (!mount.starts_with(mtpPrefix)) {
                continue;
            }
            Phone phone{mount.substr(std::string(mtpPrefix).size()), {}};
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

    bool MakeFolder(const std::string& path) override {
        const Ref<GFile> file(g_file_new_for_path(path.c_str()));
        return g_file_make_directory(file.get(), nullptr, nullptr) || IsFolder(path);
    }

    bool Copy(const std::string& from, const std::string& path) override {
        const Ref<GFile> source(g_file_new_for_path(from.c_str()));
        const Ref<GFile> target(g_file_new_for_path(path.c_str()));
        return g_file_copy(source.get(), target.get(), G_FILE_COPY_OVERWRITE, nullptr, nullptr,
                           nullptr, nullptr);
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
