#include "JobTestSupport.h"

#include "Surface.h"

using namespace com;

namespace {
// Some other client's object: never a surface the job can draw on.
class Estraneo final : public IDispatch {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetTypeInfoCount(uint32_t*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(uint32_t, LCID, void**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, OLECHAR**, uint32_t, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, uint16_t, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                   uint32_t*) override {
        return E_NOTIMPL;
    }
};
}  // namespace

TEST(OutputStampa, TheSurfaceGoesOutAndComesBackOnlyWhileItIsValid) {
    JobFixture f;
    IDispatch* stampante = nullptr;
    ASSERT_EQ(f.j().get_OutputStampa(&stampante), S_OK);
    ASSERT_NE(stampante, nullptr);
    EXPECT_EQ(f.j().putref_OutputStampa(stampante), S_OK);
    EXPECT_EQ(f.j().OutputStampa, &f.j().superficieStampante());

    // The page picture of an open window is handed out, and the printer taken back.
    VARIANT_BOOL si = VARIANT_TRUE;
    ASSERT_EQ(f.j().put_Anteprima(&si), S_OK);
    bool checked = false;
    f.whileShown = [&](velmora::clsModStampa& job) {
        IDispatch* picture = nullptr;
        ASSERT_EQ(job.get_OutputStampa(&picture), S_OK);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(job.putref_OutputStampa(stampante), S_OK);
        EXPECT_EQ(job.OutputStampa, &job.superficieStampante());
        EXPECT_EQ(job.putref_OutputStampa(picture), S_OK);
        picture->Release();
        checked = true;
    };
    ASSERT_EQ(f.j().EndDoc(), S_OK);
    EXPECT_TRUE(checked);

    Estraneo altro;
    EXPECT_EQ(f.j().putref_OutputStampa(&altro), E_INVALIDARG);
    EXPECT_EQ(f.j().putref_OutputStampa(nullptr), E_INVALIDARG);
    stampante->Release();
}
