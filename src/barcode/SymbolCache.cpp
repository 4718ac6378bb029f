#include "barcode/SymbolCache.h"

#include "barcode/BarcodeEncoders.h"
#include "barcode/bcchksum.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

std::string KeyOf(TBarcodeType type, const TSymbolOptions& options, std::string_view text)
{
    std::string key;
    key.reserve(text.size() + 24);
    key.append(reinterpret_cast<const char*>(&type), sizeof type);
    key.append(reinterpret_cast<const char*>(&options.Ecc), sizeof options.Ecc);
    key.append(reinterpret_cast<const char*>(&options.Size), sizeof options.Size);
    key.append(reinterpret_cast<const char*>(&options.Columns), sizeof options.Columns);
    key.push_back(options.Gs1 ? '1' : '0');
    key.append(text);
    return key;
}

std::shared_ptr<const TLibraryBuild> Encode(TBarcodeType type, const TSymbolOptions& options, std::string_view data)
{
    auto build = std::make_shared<TLibraryBuild>();
    const TSymbologyInfo& info = SymbologyTable[size_t(type)];
    std::string checked;
    if (type == bcDataBarOmni || type == bcDataBarLimited) {
        // A GTIN as typed on labels may carry its identifier.
        if (data.substr(0, 4) == "(01)")
            data.remove_prefix(4);
    } else if (type == bcITF14 && data.size() == 14) {
        // With its check digit given, the library wants it left off.
        checked.assign(data.substr(0, 13));
        const char expected = Modulo10CheckDigit(checked);
        if (expected != data[13]) {
            build->Error = BarcodeErrorText(barcode_detail::CheckDigitError(expected)).toStdString();
            return build;
        }
        data = checked;
    }
    const bool gs1 = info.gs1 || (info.hasGs1Option && options.Gs1);
    TOutcome<TEncodedSymbol> encoded = TZintEncoder::Encode(info.library, data, options, gs1, info.matrix);
    if (encoded)
        build->Symbol = std::make_shared<const TEncodedSymbol>(std::move(encoded).Value());
    else
        build->Error = encoded.Message().toStdString();
    return build;
}

// The symbols built last, and those the background thread is building.
class TSymbolCache {
public:
    static TSymbolCache& Instance()
    {
        static TSymbolCache cache;
        return cache;
    }

    std::shared_ptr<const TLibraryBuild> Build(TBarcodeType type, const TSymbolOptions& options,
                                               std::string_view text)
    {
        std::string key = KeyOf(type, options, text);
        std::unique_lock<std::mutex> lock(FMutex);
        // One being built in the background is waited for, not built twice.
        FReady.wait(lock, [&] { return FBuilding != key; });
        for (const TEntry& e : FEntries) {
            if (e.Build && e.Key == key)
                return e.Build;
        }
        lock.unlock();
        std::shared_ptr<const TLibraryBuild> build = Encode(type, options, text);
        lock.lock();
        Store(std::move(key), build);
        return build;
    }

    void Prefetch(TBarcodeType type, const TSymbolOptions& options, std::string_view text)
    {
        std::string key = KeyOf(type, options, text);
        std::lock_guard<std::mutex> lock(FMutex);
        if (FQueue.size() >= kQueueSize || key == FBuilding)
            return;
        for (const TEntry& e : FEntries) {
            if (e.Build && e.Key == key)
                return;
        }
        if (!FThread.joinable())
            FThread = std::thread([this] { Work(); });
        FQueue.push_back({std::move(key), type, options, std::string(text)});
        FWork.notify_one();
    }

    ~TSymbolCache()
    {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FStop = true;
            FQueue.clear();
        }
        FWork.notify_all();
        if (FThread.joinable())
            FThread.join();
    }

private:
    static constexpr size_t kQueueSize = 16;
    struct TEntry {
        std::string Key;
        std::shared_ptr<const TLibraryBuild> Build;
    };
    struct TRequest {
        std::string Key;
        TBarcodeType Type;
        TSymbolOptions Options;
        std::string Text;
    };

    void Store(std::string key, std::shared_ptr<const TLibraryBuild> build)
    {
        TEntry& slot = FEntries[FNext++ % FEntries.size()];
        slot.Key = std::move(key);
        slot.Build = std::move(build);
    }

    void Work()
    {
        std::unique_lock<std::mutex> lock(FMutex);
        for (;;) {
            FWork.wait(lock, [this] { return FStop || !FQueue.empty(); });
            if (FStop)
                return;
            TRequest request = std::move(FQueue.front());
            FQueue.pop_front();
            FBuilding = request.Key;
            lock.unlock();
            std::shared_ptr<const TLibraryBuild> build = Encode(request.Type, request.Options, request.Text);
            lock.lock();
            Store(std::move(request.Key), std::move(build));
            FBuilding.clear();
            FReady.notify_all();
        }
    }

    std::mutex FMutex;
    std::condition_variable FWork;   // a request came, or stop
    std::condition_variable FReady;  // the symbol being built is stored
    std::array<TEntry, 64> FEntries;
    size_t FNext = 0;
    std::deque<TRequest> FQueue;
    std::string FBuilding;  // key of the symbol the thread builds now
    bool FStop = false;
    std::thread FThread;
};

}  // namespace

std::shared_ptr<const TLibraryBuild> BuildLibrarySymbol(TBarcodeType type, const TSymbolOptions& options,
                                                        std::string_view text)
{
    return TSymbolCache::Instance().Build(type, options, text);
}

void PrefetchLibrarySymbol(TBarcodeType type, const TSymbolOptions& options, std::string_view text)
{
    if (!IsLibrarySymbology(type))
        return;
    const std::string_view code = TrimmedCode(text);
    if (!code.empty())
        TSymbolCache::Instance().Prefetch(type, options, code);
}
