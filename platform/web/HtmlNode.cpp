#include "platform/web/HtmlNode.h"

#include <atomic>
#include <new>

#include "platform/web/NodePool.h"

namespace platform::web {

namespace {

uint64_t NextSerial() {
    static std::atomic<uint64_t> counter{0};
    return ++counter;
}

NodePool& Pool() {
    // Never destroyed: nodes held by other static objects may go after it would.
    static NodePool* pool = new NodePool(sizeof(HtmlNode));
    return *pool;
}

}  // namespace

HtmlNode::HtmlNode(Kind kind, std::string nameOrText)
    : kind_(kind), nameOrText_(std::move(nameOrText)), serial_(NextSerial()) {}

void* HtmlNode::operator new(size_t size) {
    return size == sizeof(HtmlNode) ? Pool().Allocate() : ::operator new(size);
}

void HtmlNode::operator delete(void* node, size_t size) {
    if (size == sizeof(HtmlNode)) {
        Pool().Free(node);
    } else {
        ::operator delete(node);
    }
}

const std::string& HtmlNode::Empty() {
    static const std::string empty;
    return empty;
}

const HtmlNode::Attributes& HtmlNode::NoAttributes() {
    static const Attributes none;
    return none;
}

HtmlNode::~HtmlNode() {
    // Deep trees (thousands of nested tags from a hostile page) must not recurse the stack
    // away when they are freed: move grandchildren up and free nodes one level at a time.
    std::vector<std::unique_ptr<HtmlNode>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<HtmlNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_) {
            pending.push_back(std::move(child));
        }
        node->children_.clear();
    }
}

const std::string* HtmlNode::FindAttribute(std::string_view name) const {
    for (const auto& [key, value] : attributes()) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

std::string HtmlNode::Attribute(std::string_view name) const {
    const std::string* value = FindAttribute(name);
    return value ? *value : std::string();
}

void HtmlNode::SetAttribute(std::string_view name, std::string value) {
    if (attributes_ == nullptr) {
        attributes_ = std::make_unique<Attributes>();
    }
    for (auto& [key, existing] : *attributes_) {
        if (key == name) {
            existing = std::move(value);
            return;
        }
    }
    attributes_->emplace_back(std::string(name), std::move(value));
}

void HtmlNode::RemoveAttribute(std::string_view name) {
    if (attributes_ == nullptr) {
        return;
    }
    for (auto it = attributes_->begin(); it != attributes_->end(); ++it) {
        if (it->first == name) {
            attributes_->erase(it);
            return;
        }
    }
}

HtmlNode* HtmlNode::AppendChild(std::unique_ptr<HtmlNode> child) {
    return InsertChild(children_.size(), std::move(child));
}

HtmlNode* HtmlNode::InsertChild(size_t index, std::unique_ptr<HtmlNode> child) {
    if (index > children_.size()) {
        index = children_.size();
    }
    child->parent_ = this;
    HtmlNode* raw = child.get();
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), std::move(child));
    for (size_t i = index; i < children_.size(); ++i) {
        children_[i]->indexInParent_ = i;
    }
    return raw;
}

std::unique_ptr<HtmlNode> HtmlNode::RemoveChild(size_t index) {
    if (index >= children_.size()) {
        return nullptr;
    }
    std::unique_ptr<HtmlNode> child = std::move(children_[index]);
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
    for (size_t i = index; i < children_.size(); ++i) {
        children_[i]->indexInParent_ = i;
    }
    child->parent_ = nullptr;
    return child;
}

void HtmlNode::RemoveAllChildren() {
    std::vector<std::unique_ptr<HtmlNode>> old = std::move(children_);
    children_.clear();
    for (auto& child : old) {
        child->parent_ = nullptr;
    }
}

size_t HtmlNode::IndexOf(const HtmlNode* child) const {
    return child != nullptr && child->parent_ == this ? child->indexInParent_ : children_.size();
}

const HtmlNode* HtmlNode::Next(const HtmlNode* root) const {
    if (!children_.empty()) {
        return children_.front().get();
    }
    const HtmlNode* node = this;
    while (node != root && node->parent_ != nullptr) {
        const HtmlNode* parent = node->parent_;
        size_t index = parent->IndexOf(node);
        if (index + 1 < parent->children_.size()) {
            return parent->children_[index + 1].get();
        }
        node = parent;
    }
    return nullptr;
}

HtmlNode* HtmlNode::Next(const HtmlNode* root) {
    return const_cast<HtmlNode*>(static_cast<const HtmlNode*>(this)->Next(root));
}

HtmlNode* HtmlNode::ParentElement() const {
    return parent_ != nullptr && parent_->IsElement() ? parent_ : nullptr;
}

bool HtmlNode::Contains(const HtmlNode* other) const {
    for (const HtmlNode* node = other; node != nullptr; node = node->parent_) {
        if (node == this) {
            return true;
        }
    }
    return false;
}

}  // namespace platform::web
