// The project's pool of shared texts with use counts, so equal state texts are
// stored once and released exactly once.
#pragma once

#include "model/core/Coll.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class CTextPool;

// One distinct text of a pool with the number of slots that refer to it.
class CSharedStr : public CObj {
public:
    explicit CSharedStr(std::string_view text) : m_text(text) {}

    void AddRef() { ++m_refCount; }
    void DecRef()
    {
        if (m_refCount > 0)
            --m_refCount;
    }
    void FreeText() { std::string().swap(m_text); }

    int32_t GetRefCount() const { return m_refCount; }
    // Where the compiler wrote the text into the data-set image.
    uint32_t GetImagePos() const { return m_imagePos; }
    void SetImagePos(uint32_t pos) { m_imagePos = pos; }
    const std::string& GetSharedText() const { return m_text; }

private:
    int32_t m_refCount = 0;
    uint32_t m_imagePos = 0;
    std::string m_text;
};

// A counted reference to a text of a pool. It releases at most once and
// forgets the text when it does, so that no second decrement can reach the
// pool; it also releases when it goes. Its pool must outlive it.
class CSharedStrRef {
public:
    CSharedStrRef() = default;
    ~CSharedStrRef() { Release(); }
    CSharedStrRef(CSharedStrRef&& other) noexcept;
    CSharedStrRef& operator=(CSharedStrRef&& other) noexcept;
    CSharedStrRef(const CSharedStrRef&) = delete;
    CSharedStrRef& operator=(const CSharedStrRef&) = delete;

    // Releases the current text, then refers to the pool's shared string of
    // the text, adding it to the pool when it is not there yet.
    void Take(CTextPool& pool, std::string_view text);
    void Release();

    bool Empty() const { return m_str == nullptr; }
    const CSharedStr* Get() const { return m_str; }
    // The text, or null when the reference is empty.
    const char* Text() const { return m_str ? m_str->GetSharedText().c_str() : nullptr; }

private:
    CTextPool* m_pool = nullptr;
    CSharedStr* m_str = nullptr;
};

// The distinct texts of the variables' state texts, in unsigned byte order;
// each stays exactly as long as some reference holds it.
class CTextPool : public CSortedColl {
public:
    CTextPool(int limit, int step);

    const void* KeyOf(const CObj* item) const override;
    int Compare(const void* key1, const void* key2) const override;

    // The shared string of exactly this text, or null (also for null).
    CSharedStr* FindText(const char* text) const;
    CSharedStr* FindText(std::string_view text) const;
    CSharedStr* StrAt(int index) const { return static_cast<CSharedStr*>(At(index)); }

    // Frees every shared string whatever its count. Only for a pool whose
    // references have all been released.
    void FreeAll();

private:
    friend class CSharedStrRef;

    // The shared string of the text, added when missing, with one reference
    // more.
    CSharedStr* Acquire(std::string_view text);
    // One reference less; the last one takes the text out of the pool.
    void Drop(CSharedStr* str);
};

// A numbered state text as the variable dialog edits it.
class CTxtRef : public CObj {
public:
    // Without a pool the reference stays empty.
    CTxtRef(int32_t number, const char* text, CTextPool* pool);

    int32_t GetNr() const { return m_number; }
    // Ignored without a pool; a null text leaves the reference empty.
    void SetText(const char* text);
    void Release() { m_ref.Release(); }
    const char* GetText() const { return m_ref.Text(); }
    const CSharedStr* GetRef() const { return m_ref.Get(); }
    // The sort key: only the low byte of the number counts.
    const uint8_t& GetKey() const { return m_key; }

private:
    int32_t m_number;
    uint8_t m_key;
    CTextPool* m_pool;
    CSharedStrRef m_ref;
};

// Text references in the order of the low byte of their numbers, one per
// byte value.
class CTxtRefList : public CSortedColl {
public:
    CTxtRefList(int limit, int step);

    const void* KeyOf(const CObj* item) const override;
    int Compare(const void* key1, const void* key2) const override;

    // Sorted insert; a reference whose byte is taken is refused and stays the
    // caller's.
    int Add(CTxtRef* ref) { return Insert(ref); }
    CTxtRef* RefAt(int index) const { return static_cast<CTxtRef*>(At(index)); }

    // The reference whose number's low byte is n; nothing for n outside
    // 0..255.
    CTxtRef* FindNr(int n) const;
    // The one with the highest byte, or null.
    CTxtRef* GetLast() const;
    // Releases every reference, then frees them all.
    void FreeAll();
};

} // namespace orv
