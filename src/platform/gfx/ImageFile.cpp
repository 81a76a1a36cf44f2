#include "platform/gfx/ImageFile.h"

#include "platform/gfx/BackgroundThread.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/FileBytes.h"
#include "platform/gfx/FileStamp.h"
#include "platform/gfx/Png.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>

namespace qor {

Image DecodeImage(std::span<const std::uint8_t> data) {
    if (IsPngSignature(data)) return DecodePng(data);
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') return DecodeBmp(data);
    return {};
}

Image LoadImageFile(const std::string& path) {
    auto bytes = ReadFileBytes(path, kMaxImageFileBytes);
    if (!bytes) return {};
    return DecodeImage(*bytes);
}

namespace {

class SharedImageCache {
public:
    ImagePtr Load(const std::string& path) {
        const FileStamp stamp = StampOf(path);
        std::unique_lock lock(mutex_);
        for (;;) {
            auto it = entries_.find(path);
            if (it == entries_.end() || it->second.stamp != stamp) break;
            if (ImagePtr image = it->second.image.lock()) return image;
            if (!it->second.decoding) break;
            // Another thread decodes this very file: wait for its result instead of decoding twice.
            decoded_.wait(lock);
        }
        entries_[path] = Entry{stamp, {}, true};
        lock.unlock();
        // Decode outside the lock so that one large file does not hold up everyone else.
        ImagePtr image;
        try {
            image = std::make_shared<const Image>(LoadImageFile(path));
        } catch (...) {
            Finish(path, stamp, nullptr);
            throw;
        }
        Finish(path, stamp, image);
        return image;
    }

private:
    struct Entry {
        FileStamp stamp;
        std::weak_ptr<const Image> image;
        bool decoding = false;
    };

    void Finish(const std::string& path, const FileStamp& stamp, const ImagePtr& image) {
        {
            std::lock_guard lock(mutex_);
            PruneExpired();
            if (image) entries_[path] = Entry{stamp, image, false};
            else entries_.erase(path);
        }
        decoded_.notify_all();
    }

    void PruneExpired() {
        for (auto it = entries_.begin(); it != entries_.end();) {
            it = !it->second.decoding && it->second.image.expired() ? entries_.erase(it) : std::next(it);
        }
    }

    std::mutex mutex_;
    std::condition_variable decoded_;
    std::map<std::string, Entry> entries_;
};

} // namespace

ImagePtr LoadSharedImage(const std::string& path) {
    static SharedImageCache cache;
    return cache.Load(path);
}

std::optional<Size> ImageFileSize(const std::string& path) {
    constexpr std::size_t kPngHeadBytes = 24;
    const auto head = ReadFileHead(path, kPngHeadBytes);
    if (!head) return std::nullopt;
    if (IsPngSignature(*head)) return PngSize(*head);
    const ImagePtr image = LoadSharedImage(path);
    if (image->IsEmpty()) return std::nullopt;
    return Size{image->width, image->height};
}

ImagePrefetch::ImagePrefetch(std::vector<std::string> paths) {
    try {
        worker_ = std::thread([this, paths = std::move(paths)] {
            GiveWayToForeground();
            for (const std::string& path : paths) {
                ImagePtr image = LoadSharedImage(path);
                std::lock_guard lock(mutex_);
                held_.push_back(std::move(image));
            }
        });
    } catch (const std::system_error&) {
        // No thread to spare: each image is decoded when it is first asked for, as without this.
    }
}

ImagePrefetch::~ImagePrefetch() {
    if (worker_.joinable()) worker_.join();
}

} // namespace qor
