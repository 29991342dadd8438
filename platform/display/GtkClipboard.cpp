#include "platform/display/GtkClipboard.h"

#include <gtk/gtk.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <future>
#include <memory>

#include "platform/drawing/Gdi.h"
#include "platform/text/Encoding.h"

namespace platform {

namespace {

constexpr auto kAnswerTime = std::chrono::seconds(1);

// Runs `work` on the GTK thread.
void OnGtkThread(std::function<void()> work) {
    auto* task = new std::function<void()>(std::move(work));
    g_idle_add(
        [](void* data) -> gboolean {
            auto* run = static_cast<std::function<void()>*>(data);
            (*run)();
            delete run;
            return G_SOURCE_REMOVE;
        },
        task);
}

::GtkClipboard* DesktopSelection() {
    return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
}

// Pictures larger than this many pixels are not taken in: a program could offer any size.
constexpr size_t kMostPixels = size_t{1} << 26;

// The picture of a packed DIB as the clipboard offers it (32-bit, BI_RGB); null for any other.
GdkPixbuf* PixbufOfDib(const std::string& dib) {
    BITMAPINFOHEADER header{};
    if (dib.size() < sizeof(header)) {
        return nullptr;
    }
    std::memcpy(&header, dib.data(), sizeof(header));
    const std::int64_t height =
        header.biHeight < 0 ? -std::int64_t{header.biHeight} : header.biHeight;
    if (header.biSize < sizeof(header) || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || header.biWidth <= 0 || height <= 0 ||
        header.biWidth > 0x8000 || height > 0x8000) {
        return nullptr;
    }
    const size_t width = static_cast<size_t>(header.biWidth);
    const size_t rows = static_cast<size_t>(height);
    if (width * rows > kMostPixels ||
        dib.size() - sizeof(header) < header.biSize - sizeof(header) ||
        dib.size() - header.biSize < width * rows * 4) {
        return nullptr;
    }
    GdkPixbuf* picture =
        gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, header.biWidth, static_cast<int>(height));
    if (picture == nullptr) {
        return nullptr;
    }
    const auto* pixels = reinterpret_cast<const unsigned char*>(dib.data()) + header.biSize;
    guchar* into = gdk_pixbuf_get_pixels(picture);
    const size_t stride = static_cast<size_t>(gdk_pixbuf_get_rowstride(picture));
    for (size_t y = 0; y < rows; ++y) {
        const unsigned char* from = pixels + (header.biHeight > 0 ? rows - 1 - y : y) * width * 4;
        guchar* to = into + y * stride;
        for (size_t x = 0; x < width; ++x, from += 4, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return picture;
}

// The packed DIB (32-bit, bottom-up) of a picture; transparent parts show as on white paper.
std::optional<std::string> DibOfPixbuf(GdkPixbuf* picture) {
    const int width = gdk_pixbuf_get_width(picture);
    const int height = gdk_pixbuf_get_height(picture);
    const int channels = gdk_pixbuf_get_n_channels(picture);
    const bool alpha = gdk_pixbuf_get_has_alpha(picture);
    if (width <= 0 || height <= 0 || width > 0x8000 || height > 0x8000 ||
        static_cast<size_t>(width) * static_cast<size_t>(height) > kMostPixels ||
        gdk_pixbuf_get_bits_per_sample(picture) != 8 || channels < (alpha ? 4 : 3)) {
        return std::nullopt;
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(width * height * 4);
    std::string dib(sizeof(header) + header.biSizeImage, '\0');
    std::memcpy(dib.data(), &header, sizeof(header));
    const guchar* pixels = gdk_pixbuf_read_pixels(picture);
    const size_t stride = static_cast<size_t>(gdk_pixbuf_get_rowstride(picture));
    auto* into = reinterpret_cast<unsigned char*>(dib.data()) + sizeof(header);
    for (int y = 0; y < height; ++y) {
        const guchar* from = pixels + static_cast<size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x, from += channels, into += 4) {
            const unsigned cover = alpha ? from[3] : 255;
            for (int c = 0; c < 3; ++c) {
                into[2 - c] =
                    static_cast<unsigned char>((from[c] * cover + 255 * (255 - cover)) / 255);
            }
        }
    }
    return dib;
}

enum Target : guint { kText, kPicture };

}  // namespace

GtkClipboard::GtkClipboard() : owner_(G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr))) {}

void GtkClipboard::Offer(DesktopContents contents) {
    if (stopped_) {
        return;
    }
    std::optional<std::string> utf8;
    if (contents.text) {
        utf8 = GbkToUtf8(*contents.text);
    }
    OnGtkThread([this, utf8 = std::move(utf8), dib = std::move(contents.dib)] {
        ::GtkClipboard* selection = DesktopSelection();
        GdkPixbuf* picture = dib ? PixbufOfDib(*dib) : nullptr;
        kept_inside_ = !utf8 && picture == nullptr;
        if (kept_inside_) {
            if (gtk_clipboard_get_owner(selection) == owner_) {
                gtk_clipboard_clear(selection);
            }
            return;
        }
        offered_ = utf8.value_or(std::string());
        if (picture_ != nullptr) {
            g_object_unref(picture_);
        }
        picture_ = picture;
        GtkTargetList* list = gtk_target_list_new(nullptr, 0);
        if (utf8) {
            gtk_target_list_add_text_targets(list, kText);
        }
        if (picture_ != nullptr) {
            gtk_target_list_add_image_targets(list, kPicture, TRUE);
        }
        int count = 0;
        GtkTargetEntry* targets = gtk_target_table_new_from_list(list, &count);
        gtk_clipboard_set_with_owner(
            selection, targets, static_cast<guint>(count),
            [](::GtkClipboard*, GtkSelectionData* data, guint target, gpointer owner) {
                // The owner is the object this class made; the contents are found through it.
                auto* self =
                    static_cast<GtkClipboard*>(g_object_get_data(G_OBJECT(owner), "clipboard"));
                if (self == nullptr) {
                    return;
                }
                if (target == kPicture && self->picture_ != nullptr) {
                    gtk_selection_data_set_pixbuf(data, self->picture_);
                } else if (target == kText) {
                    gtk_selection_data_set_text(data, self->offered_.c_str(),
                                                static_cast<gint>(self->offered_.size()));
                }
            },
            [](::GtkClipboard*, gpointer) {}, owner_);
        g_object_set_data(owner_, "clipboard", this);
        gtk_target_table_free(targets, count);
        gtk_target_list_unref(list);
    });
}

DesktopHolder GtkClipboard::Ask(std::function<DesktopHolder()> question) {
    if (stopped_) {
        return DesktopHolder::kThisProcess;
    }
    auto answer = std::make_shared<std::promise<DesktopHolder>>();
    std::future<DesktopHolder> holder = answer->get_future();
    OnGtkThread([this, answer, question = std::move(question)] {
        if (asking_) {
            answer->set_value(DesktopHolder::kNoAnswer);
            return;
        }
        asking_ = true;
        answer->set_value(question());
        asking_ = false;
    });
    if (holder.wait_for(kAnswerTime) != std::future_status::ready) {
        return DesktopHolder::kNoAnswer;
    }
    return holder.get();
}

DesktopHolder GtkClipboard::HolderOffering(DesktopFormats& formats) {
    ::GtkClipboard* selection = DesktopSelection();
    if (gtk_clipboard_get_owner(selection) == owner_) {
        return DesktopHolder::kThisProcess;
    }
    GdkAtom* targets = nullptr;
    gint count = 0;
    const bool held = gtk_clipboard_wait_for_targets(selection, &targets, &count);
    if (held) {
        formats.text = gtk_targets_include_text(targets, count);
        formats.picture = gtk_targets_include_image(targets, count, FALSE);
    }
    g_free(targets);
    // What this process holds stays until another program takes the clipboard.
    return !held && kept_inside_ ? DesktopHolder::kThisProcess : DesktopHolder::kOtherProgram;
}

DesktopHolder GtkClipboard::Foreign(std::optional<std::string>& text, DesktopFormats& formats) {
    // Filled on the GTK thread, read here only once it has answered in time. The picture is left
    // to ForeignPicture: a reader of text must not wait for a big picture.
    struct Found {
        std::optional<std::string> text;
        DesktopFormats formats;
    };
    auto found = std::make_shared<Found>();
    const DesktopHolder holder = Ask([this, found] {
        const DesktopHolder answer = HolderOffering(found->formats);
        if (found->formats.text) {
            if (gchar* utf8 = gtk_clipboard_wait_for_text(DesktopSelection())) {
                found->text = Utf8ToGbk(utf8);
                g_free(utf8);
            }
        }
        return answer;
    });
    if (holder == DesktopHolder::kOtherProgram) {
        text = std::move(found->text);
        formats = found->formats;
    }
    return holder;
}

std::optional<std::string> GtkClipboard::ForeignPicture() {
    auto found = std::make_shared<std::optional<std::string>>();
    const DesktopHolder holder = Ask([found] {
        ::GtkClipboard* selection = DesktopSelection();
        GdkPixbuf* picture = gtk_clipboard_wait_for_image(selection);
        if (picture == nullptr) {
            return DesktopHolder::kNoAnswer;
        }
        *found = DibOfPixbuf(picture);
        g_object_unref(picture);
        return DesktopHolder::kOtherProgram;
    });
    if (holder != DesktopHolder::kOtherProgram) {
        return std::nullopt;
    }
    return std::move(*found);
}

DesktopHolder GtkClipboard::ForeignFormats(DesktopFormats& formats) {
    auto found = std::make_shared<DesktopFormats>();
    const DesktopHolder holder = Ask([this, found] { return HolderOffering(*found); });
    if (holder == DesktopHolder::kOtherProgram) {
        formats = *found;
    }
    return holder;
}

}  // namespace platform
