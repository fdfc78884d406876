// The shared text pool; texts are unique and sorted, so a lookup searches, and
// a reference never decrements twice.
#include "model/project/TextPool.h"

#include <cstring>

namespace orv {

CSharedStrRef::CSharedStrRef(CSharedStrRef&& other) noexcept
    : m_pool(other.m_pool), m_str(other.m_str)
{
    other.m_pool = nullptr;
    other.m_str = nullptr;
}

CSharedStrRef& CSharedStrRef::operator=(CSharedStrRef&& other) noexcept
{
    if (this != &other) {
        Release();
        m_pool = other.m_pool;
        m_str = other.m_str;
        other.m_pool = nullptr;
        other.m_str = nullptr;
    }
    return *this;
}

void CSharedStrRef::Take(CTextPool& pool, std::string_view text)
{
    Release();
    m_str = pool.Acquire(text);
    m_pool = m_str ? &pool : nullptr;
}

void CSharedStrRef::Release()
{
    if (m_pool && m_str)
        m_pool->Drop(m_str);
    m_pool = nullptr;
    m_str = nullptr;
}

CTextPool::CTextPool(int limit, int step)
{
    SetLimit(limit);
    SetDelta(step);
}

const void* CTextPool::KeyOf(const CObj* item) const
{
    return &static_cast<const CSharedStr*>(item)->GetSharedText();
}

int CTextPool::Compare(const void* key1, const void* key2) const
{
    // std::string compares its bytes as unsigned characters.
    const int r = static_cast<const std::string*>(key1)->compare(*static_cast<const std::string*>(key2));
    return (r > 0) - (r < 0);
}

CSharedStr* CTextPool::FindText(const char* text) const
{
    return text ? FindText(std::string_view(text)) : nullptr;
}

CSharedStr* CTextPool::FindText(std::string_view text) const
{
    // Texts are unique in the pool, so the binary search finds what a scan
    // in list order would.
    const std::string key(text);
    int index = 0;
    return Search(&key, index) ? StrAt(index) : nullptr;
}

void CTextPool::FreeAll()
{
    for (int i = 0; i < GetCount(); ++i)
        StrAt(i)->FreeText();
    CColl::FreeAll();
}

CSharedStr* CTextPool::Acquire(std::string_view text)
{
    CSharedStr* str = FindText(text);
    if (!str) {
        auto* created = new CSharedStr(text);
        const int index = Insert(created);
        if (index < 0 || StrAt(index) != created) {
            delete created;
            return nullptr;
        }
        str = created;
    }
    str->AddRef();
    return str;
}

void CTextPool::Drop(CSharedStr* str)
{
    str->DecRef();
    if (str->GetRefCount() > 0)
        return;
    const int index = IndexOf(str);
    if (index >= 0 && StrAt(index) == str)
        AtRemove(index);
    delete str;
}

CTxtRef::CTxtRef(int32_t number, const char* text, CTextPool* pool)
    : m_number(number), m_key(static_cast<uint8_t>(number & 0xFF)), m_pool(pool)
{
    if (m_pool && text)
        m_ref.Take(*m_pool, text);
}

void CTxtRef::SetText(const char* text)
{
    if (!m_pool)
        return;
    m_ref.Release();
    if (text)
        m_ref.Take(*m_pool, text);
}

CTxtRefList::CTxtRefList(int limit, int step)
{
    SetLimit(limit);
    SetDelta(step);
}

const void* CTxtRefList::KeyOf(const CObj* item) const
{
    return &static_cast<const CTxtRef*>(item)->GetKey();
}

int CTxtRefList::Compare(const void* key1, const void* key2) const
{
    const uint8_t a = *static_cast<const uint8_t*>(key1);
    const uint8_t b = *static_cast<const uint8_t*>(key2);
    return (a > b) - (a < b);
}

CTxtRef* CTxtRefList::FindNr(int n) const
{
    if (n < 0 || n > 255)
        return nullptr;
    const uint8_t key = static_cast<uint8_t>(n);
    int index = 0;
    return Search(&key, index) ? RefAt(index) : nullptr;
}

CTxtRef* CTxtRefList::GetLast() const
{
    for (int i = GetCount() - 1; i >= 0; --i)
        if (CTxtRef* ref = RefAt(i))
            return ref;
    return nullptr;
}

void CTxtRefList::FreeAll()
{
    for (int i = 0; i < GetCount(); ++i)
        RefAt(i)->Release();
    CColl::FreeAll();
}

} // namespace orv
