#include "platform/display/GtkClipboard.h"

#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <future>
#include <memory>

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

}  // namespace

GtkClipboard::GtkClipboard() : owner_(G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr))) {}

void GtkClipboard::Offer(std::optional<std::string> gbk) {
    if (stopped_) {
        return;
    }
    std::optional<std::string> utf8;
    if (gbk) {
        utf8 = GbkToUtf8(*gbk);
    }
    OnGtkThread([this, utf8 = std::move(utf8)] {
        ::GtkClipboard* selection = DesktopSelection();
        kept_inside_ = !utf8;
        if (!utf8) {
            if (gtk_clipboard_get_owner(selection) == owner_) {
                gtk_clipboard_clear(selection);
            }
            return;
        }
        offered_ = *utf8;
        GtkTargetList* list = gtk_target_list_new(nullptr, 0);
        gtk_target_list_add_text_targets(list, 0);
        int count = 0;
        GtkTargetEntry* targets = gtk_target_table_new_from_list(list, &count);
        gtk_clipboard_set_with_owner(
            selection, targets, static_cast<guint>(count),
            [](::GtkClipboard*, GtkSelectionData* data, guint, gpointer) {
                // The owner is the object this class made; the text is looked up through it.
                auto* self = static_cast<GtkClipboard*>(g_object_get_data(
                    G_OBJECT(gtk_clipboard_get_owner(DesktopSelection())), "clipboard"));
                if (self != nullptr) {
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

std::optional<std::string> GtkClipboard::Foreign() {
    if (stopped_) {
        return std::nullopt;
    }
    auto answer = std::make_shared<std::promise<std::optional<std::string>>>();
    std::future<std::optional<std::string>> text = answer->get_future();
    OnGtkThread([this, answer] {
        ::GtkClipboard* selection = DesktopSelection();
        GObject* holder = gtk_clipboard_get_owner(selection);
        if (holder == owner_) {
            answer->set_value(std::nullopt);
            return;
        }
        gchar* utf8 = gtk_clipboard_wait_for_text(selection);
        if (utf8 != nullptr) {
            answer->set_value(Utf8ToGbk(utf8));
            g_free(utf8);
            return;
        }
        // What this process holds without text stays until another program takes the clipboard.
        GdkAtom* targets = nullptr;
        gint count = 0;
        const bool held = gtk_clipboard_wait_for_targets(selection, &targets, &count);
        g_free(targets);
        answer->set_value(kept_inside_ && !held ? std::nullopt
                                                : std::optional<std::string>(std::string()));
    });
    if (text.wait_for(kAnswerTime) != std::future_status::ready) {
        return std::nullopt;
    }
    return text.get();
}

}  // namespace platform
