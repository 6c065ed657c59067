#include "platform/zip/zip_archive.h"

#include <zip.h>

#include <array>
#include <stdexcept>

namespace platform::zip {

namespace {

std::string lf_openErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

// Closes the entry when the read ends, also by an exception.
struct EntryCloser {
    void operator()(zip_file_t* file) const noexcept { zip_fclose(file); }
};

}  // namespace

void ZipArchive::Closer::operator()(struct ::zip* archive) const noexcept {
    // Read-only: nothing to write back.
    zip_discard(archive);
}

ZipArchive::ZipArchive(const std::filesystem::path& path) {
    int code = ZIP_ER_OK;
    archive_.reset(zip_open(path.string().c_str(), ZIP_RDONLY, &code));
    if (!archive_) {
        throw std::runtime_error(path.string() + ": " + lf_openErrorText(code));
    }
}

std::vector<std::string> ZipArchive::entryNames() const {
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (zip_int64_t index = 0; index < count; ++index) {
        const char* name = zip_get_name(archive_.get(), static_cast<zip_uint64_t>(index), ZIP_FL_ENC_GUESS);
        names.emplace_back(name != nullptr ? name : "");
    }
    return names;
}

std::string ZipArchive::readEntry(std::size_t index) const {
    const char* storedName = zip_get_name(archive_.get(), index, ZIP_FL_ENC_GUESS);
    const std::string name = storedName != nullptr ? storedName : "entry " + std::to_string(index);
    std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen_index(archive_.get(), index, 0));
    if (!file) {
        throw std::runtime_error(name + ": " + zip_strerror(archive_.get()));
    }
    std::string content;
    std::array<char, 65536> buffer{};
    for (;;) {
        const zip_int64_t count = zip_fread(file.get(), buffer.data(), buffer.size());
        if (count < 0) {
            throw std::runtime_error(name + ": " + zip_file_strerror(file.get()));
        }
        if (count == 0) {
            return content;
        }
        content.append(buffer.data(), static_cast<std::size_t>(count));
    }
}

}  // namespace platform::zip
