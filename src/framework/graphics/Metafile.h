#pragma once
// TMetafile: a picture kept as the records of what was drawn on it, saved as an enhanced
// metafile (EMF) that other programs open. TMetafileCanvas is the canvas that records: what is
// painted on it becomes one stretched-bitmap record of the painted area when the canvas is
// freed, the way a classic metafile canvas completes its recording.

#include "framework/graphics/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace framework {

class TMetafile : public TPersistent {
public:
    // A bitmap placed in a rectangle of the picture, in the picture's pixels.
    struct TRecord {
        TRect Dest;
        std::shared_ptr<const TBitmap> Image;  // records are never changed once made
    };

    TMetafile() = default;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The picture's size in pixels at 96 pixels per inch; negative sizes count as 0.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetWidth(int value);
    void SetHeight(int value);
    bool Empty() const { return m_records.empty(); }
    const std::vector<TRecord>& Records() const { return m_records; }
    void AddRecord(const TRect& dest, std::shared_ptr<const TBitmap> image);
    void Clear();

    // Plays the records back into rect of the canvas, stretched from the picture's size.
    void Draw(TCanvas& canvas, const TRect& rect) const;

    // The EMF file: a header, one EMR_STRETCHDIBITS per record (24-bit bottom-up DIB) and the
    // end-of-file record, little-endian. SaveToFile replaces the file atomically and raises
    // EFCreateError or EWriteError naming it.
    std::vector<std::uint8_t> SaveToBytes() const;
    void SaveToFile(const std::string& fileName) const;

    void Assign(const TPersistent* Source) override;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<TRecord> m_records;
};

// Paints on a surface of the metafile's size that starts unpainted (clear white); freeing it
// adds the smallest rectangle holding every painted pixel to the metafile as one record, the
// partly covered pixels as they would look on white paper. A canvas on which nothing was
// painted adds nothing. The reference device is always the screen.
class TMetafileCanvas : public TCanvas {
public:
    explicit TMetafileCanvas(TMetafile* metafile);
    ~TMetafileCanvas() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

private:
    void Complete();

    TMetafile* m_metafile;  // not owned; outlives the canvas
    std::vector<TPixel> m_pixels;
};

}  // namespace framework
