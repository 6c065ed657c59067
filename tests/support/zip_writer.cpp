#include "support/zip_writer.h"

#include <zip.h>

#include <stdexcept>

namespace test {

void writeZip(const std::filesystem::path& path, const std::vector<std::pair<std::string, std::string>>& entries) {
    int code = 0;
    zip_t* archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive == nullptr) {
        throw std::runtime_error("cannot create zip " + path.string());
    }
    for (const auto& [name, content] : entries) {
        zip_int64_t index = -1;
        if (name.ends_with('/')) {
            index = zip_dir_add(archive, name.c_str(), ZIP_FL_ENC_UTF_8);
        } else if (zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0)) {
            index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
            if (index < 0) {
                zip_source_free(source);
            } else {
                zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
            }
        }
        if (index < 0) {
            zip_discard(archive);
            throw std::runtime_error("cannot add " + name + " to zip " + path.string());
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write zip " + path.string());
    }
}

}  // namespace test
