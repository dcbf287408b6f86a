// Balancing of the tree after an insertion or a removal: splitting an overfull
// page with its neighbour over two or three pages, merging or sharing an
// underfull page with its neighbour, and carrying the change up the path.
//
// Every operation works on one level at a time: the pages of that level are
// decoded into Nodes, rebuilt in memory, written back, and only then are the
// separators above fixed and the parent changed (which may in turn balance the
// parent's level). Pages are pinned only while copied, so a deep change never
// holds more than a couple of buffers of the shared cache.
//
// A neighbour is the next page on the level (else the previous one), even when
// it hangs under another parent. Its path is found by stepping the path of the
// page in the tree, and must lead to the page its sibling link names: a tree
// whose links and children disagree is refused before anything is written.
#include <iterator>
#include <string>

#include "base/errors.h"
#include "store/btree.h"

namespace recaster::store {
namespace {

// The units of a and then b, moved out of them (their other fields stay).
Node ConcatMoving(Node& a, Node* b) {
    Node all;
    all.leaf = a.leaf;
    all.items = std::move(a.items);
    all.kids = std::move(a.kids);
    if (b) {
        all.items.Append(b->items, 0, b->items.size());
        all.kids.insert(all.kids.end(), b->kids.begin(), b->kids.end());
        b->items.Clear();
        b->kids.clear();
    }
    a.items.Clear();
    a.kids.clear();
    return all;
}

void TakeSlice(Node& page, Node& all, size_t from, size_t to) {
    const auto f = static_cast<ptrdiff_t>(from);
    const auto t = static_cast<ptrdiff_t>(to);
    if (all.leaf) {
        page.items.Clear();
        page.items.Append(all.items, from, to);
    } else {
        page.kids.assign(all.kids.begin() + f, all.kids.begin() + t);
    }
}

Kid KidOf(const Node& page) {
    Kid kid;
    kid.child = page.pgno;
    kid.keyKnown = page.HighKey(kid.key);
    return kid;
}

}  // namespace

bool BTree::Neighbour(const Path& path, bool next, Path& out, uint32_t& target) {
    out = path;
    for (size_t i = path.size(); i-- > 0;) {
        size_t last = 0;
        uint32_t child = 0;
        {
            PageRef ref = pager_.Get(out[i].pgno);
            const RawPage p = Verify(ref, false);
            last = p.Count();  // the rightmost child
            if (out[i].pos > last)
                pager_.Corrupt("tree page " + std::to_string(out[i].pgno) +
                               " changed under its path");
            if (next ? out[i].pos == last : out[i].pos == 0) continue;
            out[i].pos = next ? out[i].pos + 1 : out[i].pos - 1;
            child = p.ChildAt(out[i].pos);
        }
        for (size_t j = i + 1; j < path.size(); ++j) {
            PageRef ref = pager_.Get(child);
            const RawPage c = Verify(ref, false);
            out[j] = {child, next ? 0 : c.Count()};
            child = c.ChildAt(out[j].pos);
        }
        target = child;
        return true;
    }
    return false;
}

bool BTree::SeparatorOf(const Path& path, Key& out) {
    for (size_t i = path.size(); i-- > 0;) {
        PageRef ref = pager_.Get(path[i].pgno);
        const RawPage p = Verify(ref, false);
        if (path[i].pos < p.Count()) {
            out = p.KeyAt(path[i].pos);
            return true;
        }
    }
    return false;  // on the right edge of the tree
}

void BTree::SetSeparator(const Path& path, const Key& key) {
    // The separator sits in the lowest ancestor where the path does not take the
    // rightmost child; on the right edge there is none to change. The new key
    // keeps the page in order (it stays below the next child's keys), so it is
    // written in place.
    for (size_t i = path.size(); i-- > 0;) {
        PageRef ref = pager_.Get(path[i].pgno);
        const RawPage p = Verify(ref, false);
        if (path[i].pos < p.Count()) {
            if (Compare(p.KeyAt(path[i].pos), key) != 0) {
                const uint16_t at = p.Offset(path[i].pos);
                EncodeKey(ref.Mutable() + at, key);
                ref.SetVerified();
            }
            return;
        }
    }
}

void BTree::FillHighKey(const Path& path, Node& node) {
    Kid& last = node.kids.back();
    if (!SeparatorOf(path, last.key))
        pager_.Corrupt("tree page " + std::to_string(node.pgno) +
                       " has a right neighbour but no separator");
    last.keyKnown = true;
}

void BTree::LinkMismatch(const Node& node, const char* which) const {
    pager_.Corrupt("tree page " + std::to_string(node.pgno) + ": its " + which +
                   " link disagrees with the tree");
}

void BTree::Place(const Path& path, Node& node) {
    if (node.Fits()) {
        Store(node);
        return;
    }
    Path other;
    uint32_t pg = 0;
    const bool hasNext = Neighbour(path, true, other, pg);
    if (hasNext != (node.next != 0) || (hasNext && pg != node.next)) LinkMismatch(node, "next");
    if (hasNext) {
        Node b = Load(pg, node.leaf);
        Split(path, node, &b);
        return;
    }
    const bool hasPrev = Neighbour(path, false, other, pg);
    if (hasPrev != (node.prev != 0) || (hasPrev && pg != node.prev)) LinkMismatch(node, "previous");
    if (hasPrev) {
        Node a = Load(pg, node.leaf);
        Split(other, a, &node);
        return;
    }
    Split(path, node, nullptr);
}

// Spreads a (overfull) and its right neighbour b, or a new page when b is null,
// over two or three pages. b keeps its place and its separator: it holds the
// highest key of the pair.
void BTree::Split(const Path& pathA, Node& a, Node* b) {
    const bool leaf = a.leaf;
    const uint32_t freeBefore = a.freeAtLoad + (b ? b->freeAtLoad : a.Capacity());
    if (!leaf && b) FillHighKey(pathA, a);
    // a and b are rebuilt from `all` below; their units move there.
    Node all = ConcatMoving(a, b);
    const std::vector<size_t> cuts = SplitCuts(all, freeBefore);

    std::vector<Node> pages(cuts.size() + 1);
    pages.front().pgno = a.pgno;
    pages.front().prev = a.prev;
    for (size_t i = 1; i + 1 < pages.size(); ++i) pages[i].pgno = pager_.Allocate().pgno();
    pages.back().pgno = b ? b->pgno : pager_.Allocate().pgno();
    pages.back().next = b ? b->next : a.next;
    size_t from = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        Node& p = pages[i];
        p.leaf = leaf;
        const size_t to = i < cuts.size() ? cuts[i] : all.Units();
        TakeSlice(p, all, from, to);
        from = to;
        if (i > 0) p.prev = pages[i - 1].pgno;
        if (i + 1 < pages.size()) p.next = pages[i + 1].pgno;
    }
    for (const Node& p : pages) Store(p);
    if (leaf && !b) pager_.MutableHeader().tree.lastLeaf = pages.back().pgno;

    const Kid aKid = KidOf(pages.front());
    if (b && pages.size() == 2) {
        SetSeparator(pathA, aKid.key);
        return;
    }
    std::vector<Kid> added;
    for (size_t i = 1; i < pages.size(); ++i) {
        if (!b || i + 1 < pages.size()) added.push_back(KidOf(pages[i]));
    }
    if (pathA.empty()) {
        NewRoot(aKid, added);
    } else {
        AddAfter(pathA, aKid, added);
    }
}

void BTree::AddAfter(const Path& pathA, const Kid& a, const std::vector<Kid>& added) {
    const Path up(pathA.begin(), pathA.end() - 1);
    const Step s = pathA.back();
    Node p = Load(s.pgno, false);
    if (s.pos >= p.kids.size() || p.kids[s.pos].child != a.child)
        pager_.Corrupt("tree page " + std::to_string(p.pgno) + " changed under its path");
    const bool wasRightmost = s.pos + 1 == p.kids.size();
    p.kids[s.pos] = a;
    p.kids.insert(p.kids.begin() + static_cast<ptrdiff_t>(s.pos) + 1, added.begin(), added.end());
    // A new rightmost child brings a new highest key for the whole page.
    if (wasRightmost && added.back().keyKnown) SetSeparator(up, added.back().key);
    Place(up, p);
}

void BTree::NewRoot(const Kid& a, const std::vector<Kid>& added) {
    TreeDescriptor& t = pager_.MutableHeader().tree;
    if (t.height >= kMaxHeight + 1)
        throw ArchiveError(
            ArchiveError::Cause::Generic, pager_.path(),
            "The tree cannot grow beyond " + std::to_string(kMaxHeight + 1) + " levels");
    Node root;
    root.leaf = false;
    root.pgno = pager_.Allocate().pgno();
    root.kids.push_back(a);
    root.kids.insert(root.kids.end(), added.begin(), added.end());
    Store(root);
    t.root = root.pgno;
    t.height++;
}

void BTree::Rebalance(const Path& path, Node& node) {
    Path other;
    uint32_t pg = 0;
    const bool hasNext = Neighbour(path, true, other, pg);
    if (hasNext != (node.next != 0) || (hasNext && pg != node.next)) LinkMismatch(node, "next");
    if (hasNext) {
        Node b = Load(pg, node.leaf);
        Join(path, node, other, b);
        return;
    }
    const bool hasPrev = Neighbour(path, false, other, pg);
    if (hasPrev != (node.prev != 0) || (hasPrev && pg != node.prev)) LinkMismatch(node, "previous");
    if (hasPrev) {
        Node a = Load(pg, node.leaf);
        Join(other, a, path, node);
        return;
    }
    // Alone on its level below a chain of single children (not a shape this
    // program makes): nothing to balance with.
    if (node.Units() > 0) {
        Store(node);
        return;
    }
    for (const Step& s : path) pager_.Free(s.pgno);
    pager_.Free(node.pgno);
    ResetTree();
}

void BTree::Join(const Path& pathA, Node& a, const Path& pathB, Node& b) {
    const bool leaf = a.leaf;
    if (!leaf) FillHighKey(pathA, a);  // a's rightmost child may move into the middle
    Node all = ConcatMoving(a, &b);
    if (all.Units() == 0)
        pager_.Corrupt("tree pages " + std::to_string(a.pgno) + " and " + std::to_string(b.pgno) +
                       " hold no items");
    if (all.Used() <= all.Capacity()) {
        // Merge into the left page. The right page's entry, whose key is already the
        // merged page's highest key, takes over the left page; the left page's entry
        // goes. (Changing the left entry's key first would briefly repeat a key.)
        a.items = std::move(all.items);
        a.kids = std::move(all.kids);
        a.next = b.next;
        Store(a);
        if (b.next != 0) {
            Node c = Load(b.next, leaf);
            c.prev = a.pgno;
            Store(c);
        }
        if (leaf && pager_.header().tree.lastLeaf == b.pgno)
            pager_.MutableHeader().tree.lastLeaf = a.pgno;
        pager_.Free(b.pgno);
        Node parent = Load(pathB.back().pgno, false);
        if (pathB.back().pos >= parent.kids.size() || parent.kids[pathB.back().pos].child != b.pgno)
            pager_.Corrupt("tree page " + std::to_string(parent.pgno) + " changed under its path");
        parent.kids[pathB.back().pos].child = a.pgno;
        Store(parent);
        RemoveEntry(pathA);
        return;
    }
    const uint32_t freeOfBoth = 2 * all.Capacity() - all.Used();
    const size_t cut = ShareCut(all, freeOfBoth);
    TakeSlice(a, all, 0, cut);
    TakeSlice(b, all, cut, all.Units());
    Store(a);
    Store(b);
    // b keeps its highest key, so only a's separator changes.
    Key high;
    if (a.HighKey(high)) SetSeparator(pathA, high);
}

void BTree::RemoveEntry(const Path& path) {
    const Path up(path.begin(), path.end() - 1);
    const Step s = path.back();
    Node p = Load(s.pgno, false);
    if (s.pos >= p.kids.size())
        pager_.Corrupt("tree page " + std::to_string(p.pgno) + " changed under its path");
    if (p.kids.size() == 1) {
        // The page loses its only child, so it goes too.
        if (up.empty())
            pager_.Corrupt("tree page " + std::to_string(p.pgno) + ": the root has one child only");
        Unlink(p);
        pager_.Free(p.pgno);
        RemoveEntry(up);
        return;
    }
    const bool wasRightmost = s.pos + 1 == p.kids.size();
    p.kids.erase(p.kids.begin() + static_cast<ptrdiff_t>(s.pos));
    if (wasRightmost) SetSeparator(up, p.kids.back().key);
    Settle(up, p);
}

void BTree::Settle(const Path& path, Node& node) {
    if (path.empty()) {
        if (node.kids.size() == 1) {
            // A root with one child gives way to it.
            TreeDescriptor& t = pager_.MutableHeader().tree;
            t.root = node.kids.front().child;
            t.height--;
            pager_.Free(node.pgno);
            return;
        }
        Store(node);
        return;
    }
    if (node.Underflows()) {
        Rebalance(path, node);
    } else {
        Store(node);
    }
}

void BTree::Unlink(const Node& node) {
    if (node.prev != 0) {
        Node p = Load(node.prev, node.leaf);
        p.next = node.next;
        Store(p);
    }
    if (node.next != 0) {
        Node n = Load(node.next, node.leaf);
        n.prev = node.prev;
        Store(n);
    }
    if (node.leaf) {
        TreeDescriptor& t = pager_.MutableHeader().tree;
        if (t.firstLeaf == node.pgno) t.firstLeaf = node.next;
        if (t.lastLeaf == node.pgno) t.lastLeaf = node.prev;
    }
}

}  // namespace recaster::store
