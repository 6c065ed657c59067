#include "liveries/liveries_file.h"

#include <pugixml.hpp>

#include <string>
#include <tuple>

#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/meta_block.h"
#include "core/text_files.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_data.h"

namespace {

constexpr int kNotFoundCode = 51;
constexpr int kNoLiveriesElementCode = 52;
constexpr int kNoLiveriesCode = 533;
constexpr int kMissingAttributeCode = 999;

constexpr const char* kLiveryElement = "liv";

void lf_appendLivery(pugi::xml_node liveries, const LiveryData& livery) {
    pugi::xml_node element = liveries.append_child(kLiveryElement);
    element.append_attribute("airl").set_value(livery.airline.c_str());
    element.append_attribute("type").set_value(livery.model.c_str());
    if (livery.cargo) {
        element.append_attribute("cargo").set_value("true");
    }
    element.append_attribute("title").set_value(livery.title.c_str());
    if (!livery.atcId.empty()) {
        element.append_attribute("atcid").set_value(livery.atcId.c_str());
    }
}

std::string lf_requiredAttribute(pugi::xml_node element, const char* name) {
    const pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute) {
        throw qrx::UserErrorException(kMissingAttributeCode,
                                      fmtlib::format("Missing required attribute '{}' in <{}>", name, element.name()));
    }
    return attribute.value();
}

}  // namespace

bool writeLiveriesScanned() {
    if (liveryList.empty()) {
        return false;
    }
    pugi::xml_document document;
    gf_writeMetaBlock(document);
    pugi::xml_node liveries = document.append_child("liveries");
    for (const LiveryData& livery : liveryList) {
        lf_appendLivery(liveries, livery);
    }
    const auto& path = dataPaths.liveriesCatalogFile;
    if (!gf_replaceXmlFile(document, path)) {
        return false;
    }
    gf_writeLogPlain(fmtlib::format("{} liveries in {}", liveryList.size(), path.string()));
    return true;
}

void readLiveriesScanned() {
    liveryList.clear();
    const auto& path = dataPaths.liveriesCatalogFile;
    pugi::xml_document document;
    if (!document.load_file(path.c_str())) {
        throw qrx::UserErrorException(kNotFoundCode, fmtlib::format("File {} not found", path.string()));
    }
    (void)(gf_readMetaInfo(document, meta::author) && gf_readMetaInfo(document, meta::date) &&
           gf_readMetaInfo(document, meta::version));
    const pugi::xml_node liveries = document.child("liveries");
    if (!liveries) {
        throw qrx::UserErrorException(kNoLiveriesElementCode,
                                      fmtlib::format("{} does not contain a <liveries> section", path.string()));
    }
    for (const pugi::xml_node element : liveries.children(kLiveryElement)) {
        LiveryData livery;
        livery.airline = lf_requiredAttribute(element, "airl");
        livery.model = lf_requiredAttribute(element, "type");
        livery.title = lf_requiredAttribute(element, "title");
        livery.atcId = element.attribute("atcid").value();
        livery.cargo = element.attribute("cargo").as_bool();
        liveryList.push_back(std::move(livery));
    }
    if (liveryList.empty()) {
        throw qrx::UserErrorException(kNoLiveriesCode, path.string() + " does not contain liveries");
    }
    gf_sortLiveryList();
    gf_writeLogPlain(fmtlib::format("{} liveries read from {}", liveryList.size(), path.string()));
}

void gf_sortLiveryList() {
    liveryList.sort([](const LiveryData& a, const LiveryData& b) {
        return std::tie(a.airline, a.model, a.title) < std::tie(b.airline, b.model, b.title);
    });
}
