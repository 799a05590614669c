#include "ProjApi447.h"

#include "TextUtil.h"

#include <proj.h>

#include <sys/stat.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zelv::proj447 {

namespace {

struct ContextDeleter {
    void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};

struct ObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};

// The library logs through its context; this one swallows every message.
// The level alone is not enough: PROJ 9.1 still reports a missing proj.db
// on every proj_create.
void dropLogMessage(void*, int, const char*) {}

constexpr std::array<std::string_view, 9> shapeKeys = {
    "ellps", "datum", "a", "b", "R", "rf", "f", "es", "e"};

bool isShapeKey(std::string_view key)
{
    for (const auto shapeKey : shapeKeys)
        if (key == shapeKey)
            return true;
    return false;
}

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isWhitespace(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !isWhitespace(text[i]))
            ++i;
        if (i > start)
            result.push_back(text.substr(start, i - start));
    }
    return result;
}

// "+key=value", "key=value", "+flag" -> the parameter without its "+".
std::string_view parameterOf(std::string_view word)
{
    if (!word.empty() && word.front() == '+')
        word.remove_prefix(1);
    return word;
}

std::string_view keyOf(std::string_view parameter)
{
    return parameter.substr(0, parameter.find('='));
}

struct DefinitionKeys {
    std::vector<std::string> keys;
    std::string projection;
    bool noDefaults = false;
    bool shapeGiven = false;
};

DefinitionKeys keysOf(std::string_view definition)
{
    DefinitionKeys result;
    bool pipeline = false;
    for (const auto word : words(definition)) {
        const auto parameter = parameterOf(word);
        const auto key = keyOf(parameter);
        if (key.empty())
            continue;
        if (key == "no_defs")
            result.noDefaults = true;
        if (key == "proj" && key.size() < parameter.size()) {
            // The first projection names the section; in a pipeline, the
            // last step's does.
            const auto name = parameter.substr(key.size() + 1);
            if (result.projection.empty())
                pipeline = name == "pipeline";
            if (result.projection.empty() || pipeline)
                result.projection = name;
        }
        result.shapeGiven = result.shapeGiven || isShapeKey(key);
        result.keys.emplace_back(key);
    }
    return result;
}

// A defaults file read into its sections: each section's parameters
// (without "+") in the file's order, a section that appears twice taking
// the words of both.
using DefaultsSections = std::map<std::string, std::vector<std::string>, std::less<>>;

DefaultsSections parseDefaults(std::string_view defaultsText)
{
    DefaultsSections sections;
    std::vector<std::string>* section = nullptr;

    auto takeWord = [&](std::string_view word) {
        if (word.front() == '<') {
            const auto close = word.find('>');
            section = nullptr;
            if (close == std::string_view::npos)
                return;
            section = &sections[std::string(word.substr(1, close - 1))];
            word.remove_prefix(close + 1);
            if (word.empty())
                return;
        }
        if (section && !keyOf(parameterOf(word)).empty())
            section->emplace_back(parameterOf(word));
    };

    std::size_t lineStart = 0;
    while (lineStart < defaultsText.size()) {
        auto lineEnd = defaultsText.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = defaultsText.size();
        auto line = defaultsText.substr(lineStart, lineEnd - lineStart);
        line = line.substr(0, line.find('#'));
        for (const auto word : words(line))
            takeWord(word);
        lineStart = lineEnd + 1;
    }
    return sections;
}

// The parameters of the sections `projection` and "general", in that order.
std::vector<std::string_view> defaultParameters(const DefaultsSections& sections, std::string_view projection)
{
    std::vector<std::string_view> parameters;
    auto add = [&](std::string_view name) {
        const auto found = sections.find(name);
        if (found != sections.end())
            parameters.insert(parameters.end(), found->second.begin(), found->second.end());
    };
    if (!projection.empty())
        add(projection);
    if (projection != "general")
        add("general");
    return parameters;
}

// `given` is keysOf(definition), taken by value: the added keys join it.
std::string applyDefaults(std::string_view definition, DefinitionKeys given, const DefaultsSections& defaults)
{
    std::string result(definition);
    if (given.noDefaults)
        return result;
    for (const auto parameter : defaultParameters(defaults, given.projection)) {
        const std::string key(keyOf(parameter));
        bool present = false;
        for (const auto& k : given.keys)
            present = present || k == key;
        if (present || (isShapeKey(key) && given.shapeGiven))
            continue;
        given.keys.push_back(key);
        given.shapeGiven = given.shapeGiven || isShapeKey(key);
        result += " +";
        result += parameter;
    }
    return result;
}

// The whole file, or nothing when it can't be read: the classic interface
// goes on without defaults then, and so does this layer.
std::string readDefaultsFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return {};
    std::string content;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? std::string() : content;
}

// What tells a changed file: a new write, a change of its inode's status
// (permissions, a rename over it), or another file in its place.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileIdentity& o) const
    {
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
    }
};

FileIdentity identityOf(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return {};
    return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

// A search directory as the layer uses it.  Setting up a PROJ context reads
// configuration files, so each directory gets one context, shared by every
// handle made for it; the defaults file is parsed once and read again only
// when it changes.
struct SearchDirectory {
    std::unique_ptr<PJ_CONTEXT, ContextDeleter> context;
    std::string defaultsPath;
    bool defaultsRead = false;
    FileIdentity defaultsIdentity;
    DefaultsSections defaults;

    const DefaultsSections& currentDefaults()
    {
        const FileIdentity now = identityOf(defaultsPath);
        if (!defaultsRead || !(now == defaultsIdentity)) {
            defaults = now.exists ? parseDefaults(readDefaultsFile(defaultsPath)) : DefaultsSections();
            defaultsIdentity = now;
            defaultsRead = true;
        }
        return defaults;
    }
};

// Per thread, since a PROJ context must not be used by two threads at once.
// A handle holds its directory, so a context outlives the table while any
// handle made in it is alive, and is freed with the last one of them.
std::shared_ptr<SearchDirectory> directoryFor(const char* path)
{
    thread_local std::unordered_map<std::string, std::shared_ptr<SearchDirectory>> directories;
    std::shared_ptr<SearchDirectory>& slot = directories[path];
    if (slot)
        return slot;

    auto directory = std::make_shared<SearchDirectory>();
    directory->context.reset(proj_context_create());
    if (!directory->context) {
        directories.erase(path);
        return nullptr;
    }
    PJ_CONTEXT* context = directory->context.get();
    // Silence first: setting the search path may already log.
    proj_log_func(context, nullptr, &dropLogMessage);
    proj_log_level(context, PJ_LOG_NONE);
    const char* const paths[] = {path};
    proj_context_set_search_paths(context, 1, paths);
    // No downloads whatever the environment says.  After the search path:
    // this call reads proj.ini, which must come from our directory too
    // (there is none there, so the built-in settings hold).
    proj_context_set_enable_network(context, 0);
    directory->defaultsPath = defaultsFilePath(path);
    slot = directory;
    return slot;
}

constexpr XY errorXY{HUGE_VAL, HUGE_VAL};
constexpr LP errorLP{HUGE_VAL, HUGE_VAL};

} // namespace

struct Projection {
    // Declared first, so released last: the object lives in its context.
    std::shared_ptr<SearchDirectory> directory;
    std::unique_ptr<PJ, ObjectDeleter> object;
};

std::string defaultsFilePath(std::string_view directory)
{
    std::string path(directory);
    path += '/';
    path += defaultsFileName;
    return path;
}

std::string gridShiftPipeline(std::string_view projectionDefinition, std::string_view gridFile)
{
    std::string pipeline = "+proj=pipeline +step +inv +proj=hgridshift +grids=";
    pipeline += gridFile;
    pipeline += " +step ";
    pipeline += projectionDefinition;
    return pipeline;
}

std::string withDefaults(std::string_view definition, std::string_view defaultsText)
{
    return applyDefaults(definition, keysOf(definition), parseDefaults(defaultsText));
}

ProjectionHandle pj_init_plus_path(const char* definition, const char* searchDirectory)
{
    if (definition == nullptr || searchDirectory == nullptr)
        return nullptr;
    auto projection = std::make_unique<Projection>();
    projection->directory = directoryFor(searchDirectory);
    if (!projection->directory)
        return nullptr;
    DefinitionKeys keys = keysOf(definition);
    const std::string full = keys.noDefaults
                                 ? std::string(definition)
                                 : applyDefaults(definition, std::move(keys), projection->directory->currentDefaults());
    projection->object.reset(proj_create(projection->directory->context.get(), full.c_str()));
    if (!projection->object)
        return nullptr;
    return projection.release();
}

XY pj_fwd(LP lp, ProjectionHandle projection)
{
    if (projection == nullptr)
        return errorXY;
    // A projection made from a "+proj=" text takes radians, as the classic
    // call does; proj_trans hands back HUGE_VAL for a point it can't project.
    const PJ_COORD out = proj_trans(projection->object.get(), PJ_FWD,
                                    proj_coord(lp.lam, lp.phi, 0, 0));
    return {out.xy.x, out.xy.y};
}

LP pj_inv(XY xy, ProjectionHandle projection)
{
    if (projection == nullptr)
        return errorLP;
    const PJ_COORD out = proj_trans(projection->object.get(), PJ_INV,
                                    proj_coord(xy.x, xy.y, 0, 0));
    return {out.lp.lam, out.lp.phi};
}

void pj_free(ProjectionHandle projection)
{
    delete projection;
}

} // namespace zelv::proj447
