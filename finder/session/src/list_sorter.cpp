#include "list_sorter.h"

#include <utility>

namespace mvf::session {

namespace {

using Clock = DeliveryPace::Clock;
constexpr std::chrono::milliseconds kSliceBudget{8};

} // namespace

ListSorter::ListSorter(results::ResultsList& list) : list_(list) {
    sliceTimer_.setSingleShot(true);
    sliceTimer_.setInterval(0);
    connect(&sliceTimer_, &QTimer::timeout, this, &ListSorter::CopySlice);
}

ListSorter::~ListSorter() {
    if (orderer_.joinable()) orderer_.join();
    if (disposer_.joinable()) disposer_.join();
}

void ListSorter::Begin() {
    // Both have long finished by now: joining does not wait.
    if (orderer_.joinable()) orderer_.join();
    if (disposer_.joinable()) disposer_.join();
    sliceTimer_.stop();
    done_ = nullptr;
    order_.clear();
    copies_.clear();
    column_ = list_.SortColumn();
    ascending_ = list_.SortAscending();
    revision_ = list_.Revision();
    texts_.reset();
    // The texts can give the order only if they are the texts of every row.
    if (list_.empty() && column_ != results::kNoSort) texts_ = std::make_unique<ColumnTexts>();
}

void ListSorter::BeforeSlice() {
    if (list_.Revision() != revision_) texts_.reset(); // changed by someone else
}

bool ListSorter::StillValid() const {
    return list_.Revision() == revision_ && list_.SortColumn() == column_ &&
           list_.SortAscending() == ascending_;
}

void ListSorter::Sort(std::function<void()> done) {
    done_ = std::move(done);
    if (!texts_ || !StillValid() || texts_->size() != list_.size() || list_.size() < kApartFrom) {
        SortInPlace();
        return;
    }
    orderer_ =
        std::thread([this, texts = std::move(texts_), column = column_, ascending = ascending_] {
            std::vector<std::uint32_t> order =
                results::SortedOrderOf(texts->Views(), column, ascending);
            QMetaObject::invokeMethod(
                this, [this, order = std::move(order)]() mutable { Ordered(std::move(order)); },
                Qt::QueuedConnection);
        });
}

void ListSorter::Ordered(std::vector<std::uint32_t> order) {
    if (!StillValid()) {
        SortInPlace();
        return;
    }
    order_ = std::move(order);
    copies_.reserve(order_.size());
    pace_ = std::make_unique<DeliveryPace>(Clock::now(), Clock::duration::zero(),
                                           Clock::duration::zero(), kSliceBudget);
    CopySlice();
}

void ListSorter::CopySlice() {
    if (!StillValid()) {
        copies_.clear();
        SortInPlace();
        return;
    }
    const auto began = Clock::now();
    const std::size_t from = copies_.size();
    const std::size_t to = std::min(order_.size(), from + pace_->SliceRows());
    for (std::size_t i = from; i < to; ++i) copies_.push_back(list_[order_[i]]);
    pace_->Sliced(to - from, Clock::now() - began);
    if (copies_.size() < order_.size()) {
        sliceTimer_.start();
        return;
    }
    std::vector<results::ResultEntry> old = list_.SetAutoSortWithRows(std::move(copies_), order_);
    copies_ = {};
    order_ = {};
    disposer_ = std::thread([old = std::move(old)] {}); // freed there, not here
    std::exchange(done_, nullptr)();
}

void ListSorter::SortInPlace() {
    texts_.reset();
    list_.SetAutoSort(true);
    std::exchange(done_, nullptr)();
}

} // namespace mvf::session
