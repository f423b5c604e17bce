// Reading and writing the program's own binary model files.
#include "model/mesh/Q3dFile.h"

#include "model/base/LockedFile.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr char MAGIC[4] = {'Q', '3', 'D', 'M'};
// The longest model file taken; the program's models take some ten kilobytes each.
constexpr std::size_t kGroessteDatei = std::size_t{64} << 20;
constexpr std::size_t VERTEX_BYTES = 8 * 4;
constexpr std::size_t MAX_NAME = 0xFFFF;

class Writer
{
public:
    void Bytes(const void* data, std::size_t size)
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), p, p + size);
    }
    void U8(std::uint8_t v) { out.push_back(v); }
    void U16(std::uint16_t v)
    {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v)
    {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void F32(float f) { U32(std::bit_cast<std::uint32_t>(f)); }
    void Text(const std::string& s)
    {
        U16(static_cast<std::uint16_t>(s.size()));
        Bytes(s.data(), s.size());
    }
    std::vector<std::uint8_t> out;
};

class Reader
{
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    std::size_t Left() const { return m_bytes.size() - m_pos; }
    bool Need(std::size_t size, const char* what)
    {
        if (Left() >= size)
            return true;
        error = std::string("the file ends inside ") + what;
        return false;
    }
    std::uint8_t U8() { return m_bytes[m_pos++]; }
    std::uint16_t U16()
    {
        const std::uint16_t lo = U8();
        return static_cast<std::uint16_t>(lo | U8() << 8);
    }
    std::uint32_t U32()
    {
        const std::uint32_t lo = U16();
        return lo | static_cast<std::uint32_t>(U16()) << 16;
    }
    float F32() { return std::bit_cast<float>(U32()); }
    bool Text(std::string& s, const char* what)
    {
        if (!Need(2, what))
            return false;
        const std::size_t size = U16();
        if (!Need(size, what))
            return false;
        s.assign(reinterpret_cast<const char*>(m_bytes.data() + m_pos), size);
        m_pos += size;
        return true;
    }
    bool Floats(float* out, int count, const char* what)
    {
        if (!Need(4u * static_cast<std::size_t>(count), what))
            return false;
        for (int i = 0; i < count; ++i) {
            out[i] = F32();
            if (!std::isfinite(out[i])) {
                error = std::string("a number in ") + what + " is not finite";
                return false;
            }
        }
        return true;
    }

    std::string error;

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_pos = 0;
};

bool ReadPart(Reader& in, Q3dModel::Part& part, std::string& error)
{
    if (!in.Text(part.name, "a part name"))
        return false;
    if (!in.Need(1, "a part's pass"))
        return false;
    const std::uint8_t pass = in.U8();
    if (pass > 1) {
        error = "part \"" + part.name + "\" has an unknown pass " + std::to_string(pass);
        return false;
    }
    part.pass = static_cast<Q3dModel::Pass>(pass);
    float colour[4];
    if (!in.Floats(colour, 4, "a part's colour"))
        return false;
    part.colour = {colour[0], colour[1], colour[2], colour[3]};
    if (!in.Text(part.texture, "a texture name"))
        return false;

    if (!in.Need(4, "a vertex count"))
        return false;
    const std::uint32_t vertexCount = in.U32();
    if (vertexCount > Q3dFile::MAX_VERTICES) {
        error = "part \"" + part.name + "\" has too many vertices (" + std::to_string(vertexCount) + ")";
        return false;
    }
    if (!in.Need(vertexCount * VERTEX_BYTES, "the vertices"))
        return false;
    part.vertices.resize(vertexCount);
    for (Q3dModel::Vertex& v : part.vertices) {
        float f[8];
        if (!in.Floats(f, 8, "the vertices"))
            return false;
        v = {{f[0], f[1], f[2]}, {f[3], f[4], f[5]}, f[6], f[7]};
    }

    if (!in.Need(4, "an index count"))
        return false;
    const std::uint32_t indexCount = in.U32();
    if (indexCount > Q3dFile::MAX_INDICES || indexCount % 3 != 0) {
        error = "part \"" + part.name + "\" has a bad index count (" + std::to_string(indexCount) + ")";
        return false;
    }
    if (!in.Need(indexCount * std::size_t{4}, "the indices"))
        return false;
    part.indices.resize(indexCount);
    for (std::uint32_t& index : part.indices) {
        index = in.U32();
        if (index >= vertexCount) {
            error = "part \"" + part.name + "\" refers to vertex " + std::to_string(index) + " of " +
                    std::to_string(vertexCount);
            return false;
        }
    }
    return true;
}

} // namespace

std::string Q3dFile::Check(const Q3dModel& model)
{
    if (model.parts.size() > MAX_PARTS)
        return "too many parts";
    for (const Q3dModel::Part& part : model.parts) {
        if (part.name.size() > MAX_NAME || part.texture.size() > MAX_NAME)
            return "a name is too long";
        if (part.vertices.size() > MAX_VERTICES || part.indices.size() > MAX_INDICES ||
            part.indices.size() % 3 != 0)
            return "part \"" + part.name + "\" has a bad vertex or index count";
        for (std::uint32_t index : part.indices)
            if (index >= part.vertices.size())
                return "part \"" + part.name + "\" refers to a missing vertex";
        const tbColor& c = part.colour;
        bool finite = std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b) && std::isfinite(c.a);
        for (const Q3dModel::Vertex& v : part.vertices)
            for (float f :
                 {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y, v.normal.z, v.u, v.v})
                finite = finite && std::isfinite(f);
        if (!finite)
            return "part \"" + part.name + "\" holds a number that is not finite";
    }
    return {};
}

bool Q3dFile::Read(const std::vector<std::uint8_t>& bytes, Q3dModel& model, std::string& error)
{
    model.parts.clear();
    error.clear();
    Reader in(bytes);
    auto fail = [&](std::string why) {
        model.parts.clear();
        error = "Not a valid model file: " + why + ".";
        return false;
    };
    if (bytes.size() < 12 || std::memcmp(bytes.data(), MAGIC, 4) != 0)
        return fail(bytes.size() < 4 ? "it is too short" : "it does not start with the model file mark");
    in.U32();
    const std::uint32_t version = in.U32();
    if (version != VERSION)
        return fail("its version " + std::to_string(version) + " is not " + std::to_string(VERSION));
    const std::uint32_t partCount = in.U32();
    if (partCount > MAX_PARTS)
        return fail("it claims " + std::to_string(partCount) + " parts");
    model.parts.resize(partCount);
    for (Q3dModel::Part& part : model.parts) {
        std::string why;
        if (!ReadPart(in, part, why))
            return fail(why.empty() ? in.error : why);
    }
    if (in.Left() != 0)
        return fail(std::to_string(in.Left()) + " bytes follow the last part");
    return true;
}

std::vector<std::uint8_t> Q3dFile::Write(const Q3dModel& model)
{
    if (!Check(model).empty())
        return {};
    Writer out;
    out.Bytes(MAGIC, 4);
    out.U32(VERSION);
    out.U32(static_cast<std::uint32_t>(model.parts.size()));
    for (const Q3dModel::Part& part : model.parts) {
        out.Text(part.name);
        out.U8(static_cast<std::uint8_t>(part.pass));
        for (float f : {part.colour.r, part.colour.g, part.colour.b, part.colour.a})
            out.F32(f);
        out.Text(part.texture);
        out.U32(static_cast<std::uint32_t>(part.vertices.size()));
        for (const Q3dModel::Vertex& v : part.vertices)
            for (float f :
                 {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y, v.normal.z, v.u, v.v})
                out.F32(f);
        out.U32(static_cast<std::uint32_t>(part.indices.size()));
        for (std::uint32_t index : part.indices)
            out.U32(index);
    }
    return std::move(out.out);
}

bool Q3dFile::ReadFile(const std::string& path, Q3dModel& model, std::string& error)
{
    model.parts.clear();
    std::vector<std::uint8_t> bytes;
    std::string why;
    if (!LockedFile::ReadFile(path, bytes, kGroessteDatei, &why)) {
        error = "The model file \"" + path + "\" cannot be read (" + why + ").";
        return false;
    }
    if (!Read(bytes, model, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool Q3dFile::WriteFile(const std::string& path, const Q3dModel& model, std::string& error)
{
    const std::string why = Check(model);
    if (!why.empty()) {
        error = "The model cannot be written to \"" + path + "\": " + why + ".";
        return false;
    }
    const std::vector<std::uint8_t> bytes = Write(model);
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.flush();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            error = "The model file \"" + path + "\" cannot be written.";
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        error = "The model file \"" + path + "\" cannot be written.";
        return false;
    }
    return true;
}
