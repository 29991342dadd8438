#include "tray/ReminderPopup.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "common/TextLineFile.h"
#include "manager/SkinConfig.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "platform/screen/ClientDC.h"
#include "platform/screen/PaintDC.h"
#include "platform/system/PlaySound.h"
#include "resources/dvtp/resource.h"
#include "tray/TrayApp.h"

namespace {

constexpr UINT_PTR kSlideTimer = 1;
constexpr UINT_PTR kSnoozeTimer = 2;
constexpr int kSlideStep = 30;
constexpr int kSnoozeMinutes[] = {5, 10, 30, 60, 120};

// Only one pop-up paints at a time.
bool painting = false;

std::set<CReminderPopup*>& OpenPopups() {
    static std::set<CReminderPopup*> popups;
    return popups;
}

// The threads that play a showing's sound to its end. One that has ended is joined at the next
// start; the program waits for the others as it ends, so that none runs on into the destruction
// of what playing uses.
struct SoundThread {
    std::shared_ptr<std::atomic<bool>> done;
    std::jthread thread;
};

struct SoundThreads {
    std::mutex mutex;
    std::vector<SoundThread> threads;
};

SoundThreads& Sounds() {
    static SoundThreads sounds;
    return sounds;
}

}  // namespace

BEGIN_MESSAGE_MAP(CReminderPopup, CDialog)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_COMMAND(IDC_APPLY_SNOOZE, ApplySnoozeChoice)
END_MESSAGE_MAP()

CReminderPopup::~CReminderPopup() {
    OpenPopups().erase(this);
}

void CReminderPopup::DestroyAll() {
    const std::set<CReminderPopup*> popups = OpenPopups();
    for (CReminderPopup* popup : popups) {
        popup->DestroyWindow();
    }
    std::vector<SoundThread> playing;
    {
        std::lock_guard lock(Sounds().mutex);
        playing.swap(Sounds().threads);
    }
    for (SoundThread& sound : playing) {
        sound.thread.join();
    }
}

void CReminderPopup::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNOOZE_LIST, snoozeList_);
}

BOOL CReminderPopup::OnInitDialog() {
    CDialog::OnInitDialog();
    OpenPopups().insert(this);
    backgroundRects_.AddRect(0, 0, width_, fullHeight_);
    left_ = ::GetSystemMetrics(SM_CXSCREEN) - width_ - 24;
    bottom_ = ::GetSystemMetrics(SM_CYSCREEN) - 32;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_FRAMECHANGED);
    buttons_.Attach(this, 1);
    snoozeList_.SetCurSel(0);
    const bool loaded = LoadSkin() == 0;
    // Split also when a later step of the skin failed: the list it placed stays out of every copy.
    backgroundRects_.CollectEdges();
    backgroundRects_.Split();
    if (!loaded) {
        return FALSE;
    }
    StartSound();
    return TRUE;
}

void CReminderPopup::PostNcDestroy() {
    delete this;
}

int CReminderPopup::LoadSkin() {
    CTextLineFile file(CTextLineFile::PrefixCase::kMatch);
    if (file.Open(kSkinConfigFile) != 0) {
        return 1;
    }
    char line[1024];
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    if (file.FindLine("[DIALOG_PROMPT_LIST_POSITION]", line) != 0 ||
        file.ReadValueLine(line) != 0 || std::sscanf(line, "%d,%d,%d,%d", &x, &y, &w, &h) != 4) {
        return 1;
    }
    CRect listRect;
    snoozeList_.GetWindowRect(&listRect);
    backgroundRects_.AddRect(x, y, w, listRect.Height());
    snoozeList_.MoveWindow(x, y, w, h);
    if (file.FindLine("[BITMAP_BACKGROUND_PROMPT]", line) != 0 || file.ReadValueLine(line) != 0 ||
        background_.Load(line) != 0) {
        return 1;
    }
    if (file.FindLine("[BUTTON_BEGIN_PROMPT]", line) != 0) {
        return 1;
    }
    while (file.ReadValueLine(line) == 0) {
        if (std::string_view(line) == "[BUTTON_END]") {
            return 0;
        }
        if (buttons_.AddButtonLine(line) != 0) {
            return 1;
        }
    }
    return 0;
}

void CReminderPopup::StartSound() {
    // Played to its end in a thread of its own, which touches nothing but the file's name.
    SoundThreads& sounds = Sounds();
    std::lock_guard lock(sounds.mutex);
    std::erase_if(sounds.threads, [](const SoundThread& sound) { return sound.done->load(); });
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::jthread thread([done] {
        ::PlaySoundA("data\\notify.wav", nullptr, SND_FILENAME | SND_NODEFAULT);
        done->store(true);
    });
    sounds.threads.push_back(SoundThread{std::move(done), std::move(thread)});
}

int CReminderPopup::ShowRecord(const CScheduleRecord* record) {
    if (record != nullptr) {
        record_ = *record;
        record_.shown = 0;
    } else {
        record_ = CScheduleRecord{};
        record_.text = "暂无下一个计划";
    }
    ShowWindow(SW_SHOW);
    currentHeight_ = 0;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    shownOnce_ = 1;
    SetTimer(kSlideTimer, 100, nullptr);
    return 0;
}

void CReminderPopup::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kSlideTimer) {
        currentHeight_ = std::min(currentHeight_ + kSlideStep, fullHeight_);
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, left_, bottom_ - currentHeight_, width_,
                       currentHeight_, 0);
        if (currentHeight_ >= fullHeight_) {
            KillTimer(kSlideTimer);
        }
        return;
    }
    if (nIDEvent == kSnoozeTimer) {
        KillTimer(kSnoozeTimer);
        ShowRecord(nullptr);
        StartSound();
        return;
    }
    CDialog::OnTimer(nIDEvent);
}

void CReminderPopup::ApplySnoozeChoice() {
    const int choice = snoozeList_.GetCurSel();
    if (choice <= 0) {
        DestroyWindow();
        return;
    }
    if (choice > 5) {
        return;
    }
    ShowWindow(SW_HIDE);
    SetTimer(kSnoozeTimer, static_cast<UINT>(kSnoozeMinutes[choice - 1] * 60000), nullptr);
}

int CReminderPopup::OnButton(int index) {
    if (index == 0) {
        ApplySnoozeChoice();
    }
    return 0;
}

BOOL CReminderPopup::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_SKIN_BUTTON_CLICK) {
        OnButton(static_cast<int>(pMsg->wParam));
        return TRUE;
    }
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_SKIN_BUTTON_REDRAW) {
        CClientDC dc(this);
        DrawContent(&dc);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CReminderPopup::OnPaint() {
    CPaintDC paint(this);
    CClientDC dc(this);
    DrawContent(&dc);
}

BOOL CReminderPopup::OnEraseBkgnd(CDC*) {
    CClientDC dc(this);
    DrawContent(&dc);
    return TRUE;
}

LRESULT CReminderPopup::OnNcHitTest(CPoint point) {
    ScreenToClient(&point);
    if (point.x < 200 && point.y <= 24) {
        return HTCAPTION;
    }
    return CDialog::OnNcHitTest(point);
}

void CReminderPopup::OnMouseMove(UINT nFlags, CPoint point) {
    buttons_.OnMouseMove(point.x, point.y);
    CDialog::OnMouseMove(nFlags, point);
}

void CReminderPopup::OnLButtonDown(UINT nFlags, CPoint point) {
    buttons_.OnLButtonDown(point.x, point.y);
    CDialog::OnLButtonDown(nFlags, point);
}

void CReminderPopup::OnLButtonUp(UINT nFlags, CPoint point) {
    buttons_.OnLButtonUp(point.x, point.y);
    CDialog::OnLButtonUp(nFlags, point);
    // Without a skin button a click on the pop-up applies the choice, so that it can still be
    // dismissed.
    if (buttons_.count() == 0) {
        ApplySnoozeChoice();
    }
}

void CReminderPopup::DrawContent(CDC* target) {
    if (shownOnce_ == 0 || painting) {
        return;
    }
    painting = true;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    CBitmap buffer;
    if (memory.CreateCompatibleDC(target) &&
        buffer.CreateCompatibleBitmap(target, client.Width(), client.Height())) {
        CBitmap* oldBuffer = memory.SelectObject(&buffer);
        memory.SetBkMode(TRANSPARENT);
        HGDIOBJ oldFont = ::SelectObject(memory.GetSafeHdc(), TrayFont());
        if (CBitmap* picture = background_.GetBitmap()) {
            CDC source;
            source.CreateCompatibleDC(target);
            CBitmap* oldPicture = source.SelectObject(picture);
            memory.BitBlt(0, 0, client.Width(), client.Height(), &source, 0, 0, SRCCOPY);
            source.SelectObject(oldPicture);
        } else {
            memory.FillSolidRect(&client, RGB(0xFA, 0xFF, 0xFF));
        }
        CBrush black(RGB(0, 0, 0));
        memory.FrameRect(&client, &black);
        buttons_.Draw(&memory);
        DrawRecordText(&memory);
        // Everything but the drop-down list, which paints itself. Without a skin that placed the
        // list that is the whole area, so the text of a pop-up without its skin still shows.
        const RECT* rects = nullptr;
        const int count = backgroundRects_.GetRects(&rects);
        for (int i = 0; i < count; ++i) {
            target->BitBlt(rects[i].left, rects[i].top, rects[i].right - rects[i].left,
                           rects[i].bottom - rects[i].top, &memory, rects[i].left, rects[i].top,
                           SRCCOPY);
        }
        ::SelectObject(memory.GetSafeHdc(), oldFont);
        memory.SelectObject(oldBuffer);
    }
    painting = false;
}

void CReminderPopup::DrawRecordText(CDC* dc) {
    dc->SetTextColor(RGB(0, 0, 0));
    if (record_.year != 0) {
        char line[128];
        std::snprintf(line, sizeof line, "%04d年%02d月%02d日 %02d小时%02d分", record_.year,
                      record_.month, record_.day, record_.hour, record_.minute);
        dc->TextOut(5, 26, line);
    } else {
        dc->SetTextColor(RGB(255, 0, 0));
    }
    CRect client;
    GetClientRect(&client);
    client.left += 80;
    client.top += 46;
    dc->DrawText(record_.text, &client, 0);
}
