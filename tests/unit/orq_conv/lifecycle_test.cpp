// Task records: creation, edits and their codes, commitment, copies with attachment hooks,
// deletion, the sticky status; and the order in which the kernels report bad descriptions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "zaforq/orq_conv.h"

namespace {

const int32_t kShape3[3] = {3, 4, 5};

CcTask* make(int kind = 1, int rank = 1, int method = 1, int dataType = 1) {
  static const int32_t xs[7] = {3, 1, 1, 1, 1, 1, 1}, ys[7] = {2, 1, 1, 1, 1, 1, 1}, zs[7] = {4, 1, 1, 1, 1, 1, 1};
  CcTask* t = nullptr;
  EXPECT_EQ(__orqNewTask(&t, kind, 0, method, 0, dataType, rank, xs, ys, zs), 0);
  return t;
}

TEST(TaskCreation, StoresTheDescriptionAndOwnCopiesOfTheVectors) {
  int32_t xs[3] = {3, 4, 5}, ys[3] = {6, 7, 8}, zs[3] = {9, 10, 11}, xst[3] = {1, 3, 12};
  const double xdata[60] = {0};
  CcTask* t = nullptr;
  ASSERT_EQ(__orqNewTaskX(&t, 2, 77, 1, 88, 1, 3, xs, ys, zs, xdata, xst), 0);
  EXPECT_EQ(t->status, 0);
  EXPECT_EQ(t->kind, 2);
  EXPECT_EQ(t->callerWordA, 77);
  EXPECT_EQ(t->callerWordB, 88);
  EXPECT_EQ(t->method, 1);
  EXPECT_EQ(t->optionWord, 0);
  EXPECT_EQ(t->dataType, 1);
  EXPECT_EQ(t->precision, 1);
  EXPECT_EQ(t->rank, 3);
  EXPECT_EQ(t->start, nullptr);
  EXPECT_EQ(t->decimation, nullptr);
  EXPECT_EQ(t->x, xdata);
  EXPECT_EQ(t->committed, 0);
  EXPECT_EQ(t->attachment, nullptr);
  // The vectors are the task's own: inside the record, unaffected by the caller's arrays.
  EXPECT_EQ(t->xShape, t->xShapeStore);
  EXPECT_EQ(t->xStride, t->xStrideStore);
  xs[1] = 99;
  xst[2] = 99;
  EXPECT_EQ(std::vector<int32_t>(t->xShape, t->xShape + 3), (std::vector<int32_t>{3, 4, 5}));
  EXPECT_EQ(std::vector<int32_t>(t->yShape, t->yShape + 3), (std::vector<int32_t>{6, 7, 8}));
  EXPECT_EQ(std::vector<int32_t>(t->zShape, t->zShape + 3), (std::vector<int32_t>{9, 10, 11}));
  EXPECT_EQ(std::vector<int32_t>(t->xStride, t->xStride + 3), (std::vector<int32_t>{1, 3, 12}));
  EXPECT_EQ(__orqDeleteTask(&t), 0);
  EXPECT_EQ(t, nullptr);
}

TEST(TaskCreation, NullArgumentsAndRanks) {
  EXPECT_EQ(__orqNewTask(nullptr, 1, 0, 1, 0, 1, 1, kShape3, kShape3, kShape3), ORQ_CC_STATUS_NULL_ARGUMENT);
  // Null shapes are accepted and leave the fields null; execution then reports the bad shape.
  CcTask* t = nullptr;
  ASSERT_EQ(__orqNewTask(&t, 1, 0, 1, 0, 1, 2, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(t->xShape, nullptr);
  EXPECT_EQ(t->yShape, nullptr);
  EXPECT_EQ(t->zShape, nullptr);
  EXPECT_EQ(t->xStride, nullptr);
  float buf[4] = {0};
  EXPECT_EQ(__orqExec(t, buf, nullptr, buf, nullptr, buf, nullptr), ORQ_CC_STATUS_BAD_X_SHAPE);
  EXPECT_EQ(__orqccGetStatus(t), ORQ_CC_STATUS_BAD_X_SHAPE);
  __orqDeleteTask(&t);
  // A rank the inline vectors cannot hold is refused and the handle left alone.
  CcTask* keep = reinterpret_cast<CcTask*>(&buf);
  for (int32_t rank : {0, -1, 8, 100}) {
    t = keep;
    EXPECT_EQ(__orqNewTask(&t, 1, 0, 1, 0, 1, rank, kShape3, kShape3, kShape3), ORQ_CC_STATUS_UNSUPPORTED) << rank;
    EXPECT_EQ(t, keep);
  }
  for (int32_t rank = 1; rank <= 7; ++rank) {
    ASSERT_EQ(__orqNewTask(&t, 1, 0, 1, 0, 1, rank, nullptr, nullptr, nullptr), 0);
    __orqDeleteTask(&t);
  }
}

TEST(TaskEdit, EditableSettingsAndCodes) {
  CcTask* t = make(1, 3);
  int32_t v = 5;
  ASSERT_EQ(__orqCommitTask(t), 0);
  EXPECT_EQ(t->committed, 1);
  EXPECT_EQ(__orqEditTask(t, ORQ_CC_EDIT_METHOD, &v), 0);
  EXPECT_EQ(t->method, 5);
  EXPECT_EQ(t->committed, 0) << "every edit uncommits";
  v = 42;
  EXPECT_EQ(__orqEditTask(t, ORQ_CC_EDIT_OPTION, &v), 0);
  EXPECT_EQ(t->optionWord, 42);
  v = 2;
  EXPECT_EQ(__orqEditTask(t, ORQ_CC_EDIT_PRECISION, &v), 0);
  EXPECT_EQ(t->precision, 2);
  EXPECT_EQ(t->dataType, 1);
  int32_t start[3] = {1, 2, 3}, dec[3] = {2, 1, 3};
  EXPECT_EQ(__orqEditTask(t, ORQ_CC_EDIT_START, start), 0);
  EXPECT_EQ(__orqEditTask(t, ORQ_CC_EDIT_DECIMATION, dec), 0);
  start[0] = dec[0] = 77;  // the task keeps its copies
  EXPECT_EQ(t->start, t->startStore);
  EXPECT_EQ(t->decimation, t->decimationStore);
  EXPECT_EQ(std::vector<int32_t>(t->start, t->start + 3), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(std::vector<int32_t>(t->decimation, t->decimation + 3), (std::vector<int32_t>{2, 1, 3}));
  __orqDeleteTask(&t);

  for (int32_t code : {1, 2, 7, 8, 10, 15, 19}) {
    t = make();
    EXPECT_EQ(__orqEditTask(t, code, &v), ORQ_CC_STATUS_PARAMETER_NOT_EDITABLE) << code;
    EXPECT_EQ(__orqccGetStatus(t), ORQ_CC_STATUS_PARAMETER_NOT_EDITABLE);
    __orqDeleteTask(&t);
  }
  for (int32_t code : {0, 20, -1, 1000}) {
    t = make();
    EXPECT_EQ(__orqEditTask(t, code, &v), ORQ_CC_STATUS_BAD_PARAMETER_CODE) << code;
    EXPECT_EQ(__orqCommitTask(t), ORQ_CC_STATUS_BAD_PARAMETER_CODE) << "failed edits stick";
    __orqDeleteTask(&t);
  }
  EXPECT_EQ(__orqEditTask(nullptr, 3, &v), ORQ_CC_STATUS_NULL_ARGUMENT);
}

TEST(TaskEdit, NullValueFailsTheTaskForGood) {
  CcTask* t = make();
  EXPECT_EQ(__orqEditTask(t, ORQ_CC_EDIT_START, nullptr), ORQ_CC_STATUS_NULL_ARGUMENT);
  EXPECT_EQ(__orqCommitTask(t), ORQ_CC_STATUS_NULL_ARGUMENT);
  int32_t v = 1;
  EXPECT_EQ(__orqEditTask(t, ORQ_CC_EDIT_METHOD, &v), ORQ_CC_STATUS_NULL_ARGUMENT);
  float buf[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(__orqExec(t, buf, nullptr, buf, nullptr, buf + 4, nullptr), ORQ_CC_STATUS_NULL_ARGUMENT);
  EXPECT_EQ(buf[4], 5.0f) << "a failed task computes nothing";
  CcTask* copy = reinterpret_cast<CcTask*>(&v);
  EXPECT_EQ(__orqCopyTask(&copy, t), ORQ_CC_STATUS_NULL_ARGUMENT);
  EXPECT_EQ(copy, reinterpret_cast<CcTask*>(&v)) << "nothing written through the handle";
  // Setting the status back to 0 restores a usable task; the previous status is returned.
  EXPECT_EQ(__orqccSetStatus(t, 0), ORQ_CC_STATUS_NULL_ARGUMENT);
  EXPECT_EQ(__orqCommitTask(t), 0);
  EXPECT_EQ(__orqccSetStatus(t, -7), 0);
  EXPECT_EQ(__orqccGetStatus(t), -7);
  EXPECT_EQ(__orqCommitTask(t), -7);
  __orqDeleteTask(&t);
  EXPECT_EQ(__orqCommitTask(nullptr), ORQ_CC_STATUS_NULL_ARGUMENT);
  EXPECT_EQ(__orqccGetStatus(nullptr), ORQ_CC_STATUS_NULL_ARGUMENT);
  EXPECT_EQ(__orqccSetStatus(nullptr, 0), ORQ_CC_STATUS_NULL_ARGUMENT);
}

// Attachment hooks: a private copy per task, a release hook per deletion.
int released = 0;
int32_t release_ok(CcTask*, void* a) {
  ++released;
  return *static_cast<int*>(a) == 1234 ? 0 : -1;
}
int32_t release_fails(CcTask*, void*) {
  ++released;
  return 3;
}
int32_t copy_ok(CcTask*, void** field, void* old) {
  int* p = static_cast<int*>(malloc(sizeof(int)));
  if (!p) return -1;
  *p = *static_cast<int*>(old);
  *field = p;
  return 0;
}
int32_t copy_fails(CcTask*, void**, void*) { return 1; }

CcTask* with_attachment(CcAttachmentRelease rel, CcAttachmentCopy cp) {
  CcTask* t = make(2, 2, 0, 2);
  int* a = static_cast<int*>(malloc(sizeof(int)));
  *a = 1234;
  t->attachment = a;
  t->attachmentRelease = rel;
  t->attachmentCopy = cp;
  return t;
}

TEST(TaskCopy, DuplicatesEverythingIntoItsOwnRecord) {
  CcTask* t = with_attachment(release_ok, copy_ok);
  int32_t start[2] = {-1, 0}, dec[2] = {1, 2}, v = 9;
  __orqEditTask(t, ORQ_CC_EDIT_START, start);
  __orqEditTask(t, ORQ_CC_EDIT_DECIMATION, dec);
  __orqEditTask(t, ORQ_CC_EDIT_OPTION, &v);
  __orqCommitTask(t);
  CcTask* c = nullptr;
  ASSERT_EQ(__orqCopyTask(&c, t), 0);
  ASSERT_NE(c, nullptr);
  EXPECT_NE(c, t);
  EXPECT_EQ(c->status, 0);
  EXPECT_EQ(c->kind, 2);
  EXPECT_EQ(c->method, 0);
  EXPECT_EQ(c->optionWord, 9);
  EXPECT_EQ(c->dataType, 2);
  EXPECT_EQ(c->rank, 2);
  EXPECT_EQ(c->committed, 1);
  EXPECT_EQ(c->start, c->startStore) << "vectors point into the new record";
  EXPECT_EQ(c->decimation, c->decimationStore);
  EXPECT_EQ(c->xShape, c->xShapeStore);
  EXPECT_EQ(c->xStride, nullptr);
  EXPECT_EQ(std::vector<int32_t>(c->start, c->start + 2), (std::vector<int32_t>{-1, 0}));
  EXPECT_EQ(std::vector<int32_t>(c->decimation, c->decimation + 2), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(std::vector<int32_t>(c->zShape, c->zShape + 2), (std::vector<int32_t>{4, 1}));
  EXPECT_NE(c->attachment, t->attachment) << "the hook made a private copy";
  EXPECT_EQ(*static_cast<int*>(c->attachment), 1234);
  released = 0;
  EXPECT_EQ(__orqDeleteTask(&t), 0);
  EXPECT_EQ(__orqDeleteTask(&c), 0);
  EXPECT_EQ(released, 2);
  EXPECT_EQ(__orqCopyTask(nullptr, c), ORQ_CC_STATUS_NULL_ARGUMENT);
  EXPECT_EQ(__orqCopyTask(&c, nullptr), ORQ_CC_STATUS_NULL_ARGUMENT);
}

TEST(TaskCopy, FailingOrMissingCopyHook) {
  for (CcAttachmentCopy hook : {copy_fails, static_cast<CcAttachmentCopy>(nullptr)}) {
    CcTask* t = with_attachment(release_ok, hook);
    CcTask* c = nullptr;
    EXPECT_EQ(__orqCopyTask(&c, t), ORQ_CC_STATUS_ATTACHMENT_COPY_FAILED);
    EXPECT_EQ(c, nullptr);
    EXPECT_EQ(__orqccGetStatus(t), 0) << "the original is unharmed";
    EXPECT_EQ(__orqDeleteTask(&t), 0);
  }
  // Without an attachment no hook is needed.
  CcTask* t = make();
  CcTask* c = nullptr;
  EXPECT_EQ(__orqCopyTask(&c, t), 0);
  __orqDeleteTask(&t);
  __orqDeleteTask(&c);
}

TEST(TaskDelete, ReleaseHookResultsAndNullHandles) {
  released = 0;
  CcTask* t = with_attachment(release_fails, copy_ok);
  EXPECT_EQ(__orqDeleteTask(&t), ORQ_CC_STATUS_ATTACHMENT_RELEASE_FAILED);
  EXPECT_EQ(t, nullptr) << "the task is gone either way";
  EXPECT_EQ(released, 1);
  t = with_attachment(nullptr, copy_ok);
  EXPECT_EQ(__orqDeleteTask(&t), ORQ_CC_STATUS_ATTACHMENT_RELEASE_FAILED) << "missing release hook";
  EXPECT_EQ(t, nullptr);
  EXPECT_EQ(__orqDeleteTask(&t), 0) << "a handle that holds null";
  EXPECT_EQ(__orqDeleteTask(nullptr), ORQ_CC_STATUS_NULL_ARGUMENT);
}

// ---- execution front end --------------------------------------------------------------------

TEST(Execution, KernelChoiceAndStickyUnsupported) {
  float xf[3] = {1, 2, 3}, yf[2] = {1, 1}, zf[8] = {0};
  double xd[3] = {1, 2, 3}, yd[2] = {1, 1}, zd[8] = {0};
  EXPECT_EQ(__orqExec(nullptr, xf, nullptr, yf, nullptr, zf, nullptr), ORQ_CC_STATUS_NULL_ARGUMENT);
  const struct {
    const char* what;
    int rank, method, dataType;
    bool single_arith;
    int32_t status;
  } rows[] = {
      // the FFT kernels, which need no work buffer for a convolution of dense operands that asks
      // for every output (the direct kernel would reverse x)
      {"rank 1, method 0: FFT", 1, 0, 1, false, 0},
      {"rank 1, double data, single arithmetic: no kernel", 1, 1, 2, true, ORQ_CC_STATUS_UNSUPPORTED},
      {"rank 3, double data, single arithmetic: computes in double", 3, 1, 2, true, 0},
      {"rank 2, method 2: no kernel", 2, 2, 1, false, ORQ_CC_STATUS_UNSUPPORTED},
      {"rank 2, method 0: direct", 2, 0, 1, false, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    std::fill(zf, zf + 8, 0.0f);
    std::fill(zd, zd + 8, 0.0);
    CcTask* t = make(1, r.rank, r.method, r.dataType);
    const int32_t single = 1;
    if (r.single_arith) __orqEditTask(t, ORQ_CC_EDIT_PRECISION, &single);
    for (int k = 0; k < 2; ++k)  // twice: an unsupported combination stays failed
      EXPECT_EQ(r.dataType == 1 ? __orqExec(t, xf, nullptr, yf, nullptr, zf, nullptr)
                                : __orqExec(t, xd, nullptr, yd, nullptr, zd, nullptr), r.status);
    EXPECT_EQ(__orqccGetStatus(t), r.status);
    if (r.status == 0) {
      EXPECT_EQ(t->committed, 1) << "execution commits";
      if (r.dataType == 1) EXPECT_EQ(std::vector<float>(zf, zf + 4), (std::vector<float>{1, 3, 5, 3}));
      else EXPECT_EQ(std::vector<double>(zd, zd + 4), (std::vector<double>{1, 3, 5, 3}));
    } else {
      EXPECT_EQ(zf[0] + zd[0], 0.0) << "a refused task computes nothing";
    }
    __orqDeleteTask(&t);
  }
}

TEST(Execution, DefaultStridesAreDense) {
  // Shape (3, 4, 5) with x strides left out reads dense strides (1, 3, 12): a correlation of x
  // with a one-element y at lag 0 copies x itself.
  std::vector<double> x(60), z(60, -1);
  for (size_t i = 0; i < x.size(); ++i) x[i] = double(i);
  const int32_t ones[3] = {1, 1, 1}, zero[3] = {0, 0, 0}, explicit_dense[3] = {1, 3, 12};
  for (const int32_t* stride : {static_cast<const int32_t*>(nullptr), explicit_dense}) {
    CcTask* t = nullptr;
    ASSERT_EQ(__orqNewTask(&t, 2, 0, 1, 0, 2, 3, ones, kShape3, kShape3), 0);
    ASSERT_EQ(__orqEditTask(t, ORQ_CC_EDIT_START, zero), 0);
    const double one = 1.0;
    ASSERT_EQ(__orqExec(t, &one, nullptr, x.data(), stride, z.data(), stride), 0);
    EXPECT_EQ(z, x);
    __orqDeleteTask(&t);
  }
}

TEST(Execution, FixedOperandTasks) {
  const float y[2] = {1, 1};
  const int32_t nx = 3, ny = 2, nz = 4, m1 = -1;
  const float xr[3] = {3, 2, 1};
  CcTask* t = nullptr;
  ASSERT_EQ(__orqNewTaskX(&t, 1, 0, 1, 0, 1, 1, &nx, &ny, &nz, xr, &m1), 0);
  float z[4];
  ASSERT_EQ(__orqExecX(t, y, nullptr, z, nullptr), 0);
  EXPECT_EQ(std::vector<float>(z, z + 4), (std::vector<float>{1, 3, 5, 3}));
  __orqDeleteTask(&t);
  ASSERT_EQ(__orqNewTask(&t, 1, 0, 1, 0, 1, 1, &nx, &ny, &nz), 0);
  EXPECT_EQ(__orqExecX(t, y, nullptr, z, nullptr), ORQ_CC_STATUS_BAD_X);
  EXPECT_EQ(__orqccGetStatus(t), ORQ_CC_STATUS_BAD_X);
  __orqDeleteTask(&t);
  EXPECT_EQ(__orqExecX(nullptr, y, nullptr, z, nullptr), ORQ_CC_STATUS_NULL_ARGUMENT);
}

// ---- validation order ------------------------------------------------------------------------

// A valid rank-1 description that each case breaks once or twice.
struct Args1 {
  const float* x;
  int32_t xs;
  const float* y;
  int32_t ys;
  float* z;
  int32_t zs, nx, ny, start, nz, dec;
};

TEST(Validation, RankOneOrderOfChecks) {
  static const float x[3] = {1, 2, 3}, y[2] = {1, 1};
  static float z[8];
  const Args1 ok{x, 1, y, 1, z, 1, 3, 2, 0, 4, 1};
  struct Case {
    Args1 a;
    int32_t conv, corr;
  };
  auto with = [&](auto f) {
    Args1 a = ok;
    f(a);
    return a;
  };
  const Case cases[] = {
      {with([](Args1& a) { a.x = nullptr; a.nx = 0; }), ORQ_CC_STATUS_BAD_X, ORQ_CC_STATUS_BAD_X},
      {with([](Args1& a) { a.nx = 0; a.y = nullptr; }), ORQ_CC_STATUS_BAD_X_SHAPE, ORQ_CC_STATUS_BAD_X_SHAPE},
      {with([](Args1& a) { a.y = nullptr; a.ny = -3; }), ORQ_CC_STATUS_BAD_Y, ORQ_CC_STATUS_BAD_Y},
      {with([](Args1& a) { a.ny = 0; a.z = nullptr; }), ORQ_CC_STATUS_BAD_Y_SHAPE, ORQ_CC_STATUS_BAD_Y_SHAPE},
      {with([](Args1& a) { a.z = nullptr; a.nz = 0; }), ORQ_CC_STATUS_BAD_Z, ORQ_CC_STATUS_BAD_Z},
      {with([](Args1& a) { a.nz = 0; a.zs = 0; }), ORQ_CC_STATUS_BAD_Z_SHAPE, ORQ_CC_STATUS_BAD_Z_SHAPE},
      {with([](Args1& a) { a.zs = 0; a.start = 99; }), ORQ_CC_STATUS_BAD_Z_STRIDE, ORQ_CC_STATUS_BAD_Z_STRIDE},
      {with([](Args1& a) { a.start = 4; a.dec = 0; }), ORQ_CC_STATUS_BAD_START, ORQ_CC_STATUS_BAD_START},
      {with([](Args1& a) { a.start = 3; a.nz = 1; }), 0, ORQ_CC_STATUS_BAD_START},  // last convolution index
      {with([](Args1& a) { a.start = -2; a.nz = 1; }), ORQ_CC_STATUS_BAD_START, 0},  // first correlation lag
      {with([](Args1& a) { a.start = -3; a.nz = 1; }), ORQ_CC_STATUS_BAD_START, ORQ_CC_STATUS_BAD_START},
      {with([](Args1& a) { a.dec = 0; a.nz = 1; }), ORQ_CC_STATUS_BAD_DECIMATION, ORQ_CC_STATUS_BAD_DECIMATION},
      {with([](Args1& a) { a.nz = 5; }), ORQ_CC_STATUS_BAD_DECIMATION, ORQ_CC_STATUS_BAD_DECIMATION},
      {with([](Args1& a) { a.start = 0; a.nz = 2; }), 0, 0},  // correlation lags 0, 1
      {with([](Args1& a) { a.start = 0; a.nz = 2; a.dec = 2; }), 0, ORQ_CC_STATUS_BAD_DECIMATION},
      {with([](Args1& a) { a.start = 1; a.nz = 2; a.dec = 2; }), 0, ORQ_CC_STATUS_BAD_DECIMATION},
      {with([](Args1& a) { a.nz = 2; a.dec = 3; }), 0, ORQ_CC_STATUS_BAD_DECIMATION},
      {with([](Args1& a) { a.nz = 2; a.dec = 4; }), ORQ_CC_STATUS_BAD_DECIMATION, ORQ_CC_STATUS_BAD_DECIMATION},
  };
  int n = 0;
  for (const Case& c : cases) {
    const Args1& a = c.a;
    std::fill(z, z + 8, 7.0f);
    EXPECT_EQ(_orqConvSSDirect1D_dec(a.x, a.xs, a.y, a.ys, a.z, a.zs, a.nx, a.ny, a.start, a.nz, a.dec), c.conv) << n;
    if (c.conv != 0) EXPECT_EQ(z[0], 7.0f) << n << ": a refused call writes nothing";
    EXPECT_EQ(_orqCorrSSDirect1D_dec(a.x, a.xs, a.y, a.ys, a.z, a.zs, a.nx, a.ny, a.start, a.nz, a.dec), c.corr) << n;
    // The same checks in the other variants.
    double xd[3] = {1, 2, 3}, yd[2] = {1, 1}, zd[8];
    EXPECT_EQ(_orqConvDDDirect1D_dec(a.x ? xd : nullptr, a.xs, a.y ? yd : nullptr, a.ys, a.z ? zd : nullptr, a.zs,
                                     a.nx, a.ny, a.start, a.nz, a.dec), c.conv) << n;
    EXPECT_EQ(_orqCorrSDDirect1D_dec(a.x, a.xs, a.y, a.ys, a.z, a.zs, a.nx, a.ny, a.start, a.nz, a.dec), c.corr) << n;
    ++n;
  }
}

TEST(Validation, AllRanksOrderOfChecks) {
  static const float x[12] = {1}, y[12] = {1};
  alignas(16) static float z[64];
  const int32_t xs[2] = {3, 2}, ys[2] = {2, 2}, zs[2] = {4, 3}, zst[2] = {1, 4}, st[2] = {0, 0}, de[2] = {1, 1};
  const int32_t xs_bad1[2] = {3, 0}, st_bad0[2] = {9, 0}, ys_bad[2] = {2, -1}, zs_bad[2] = {4, 0},
                zst_bad[2] = {1, 0}, st_bad1[2] = {0, 4}, de_bad[2] = {1, 0}, zs_long[2] = {4, 4};
  // Each row breaks the check it names and one or two later ones: the named one must win.
  const struct {
    const char* what;
    const float *x, *y;
    float* z;
    const int32_t *xs, *ys, *zs, *zst, *st, *de;
    int32_t status;
  } rows[] = {
      {"x pointer", nullptr, nullptr, nullptr, xs, ys, zs, zst, st, de, ORQ_CC_STATUS_BAD_X},
      {"y pointer", x, nullptr, nullptr, xs, ys, zs, zst, st, de, ORQ_CC_STATUS_BAD_Y},
      {"z pointer before shapes", x, y, nullptr, xs_bad1, ys, zs, zst, st, de, ORQ_CC_STATUS_BAD_Z},
      {"dimension 0 entirely before dimension 1", x, y, z, xs_bad1, ys, zs, zst, st_bad0, de, ORQ_CC_STATUS_BAD_START},
      {"x shape", x, y, z, xs_bad1, ys, zs, zst, st, de, ORQ_CC_STATUS_BAD_X_SHAPE},
      {"y shape", x, y, z, xs, ys_bad, zs_bad, zst, st, de, ORQ_CC_STATUS_BAD_Y_SHAPE},
      {"z shape", x, y, z, xs, ys, zs_bad, zst_bad, st, de, ORQ_CC_STATUS_BAD_Z_SHAPE},
      {"z stride", x, y, z, xs, ys, zs, zst_bad, st_bad1, de, ORQ_CC_STATUS_BAD_Z_STRIDE},
      {"start", x, y, z, xs, ys, zs, zst, st_bad1, de_bad, ORQ_CC_STATUS_BAD_START},
      {"decimation", x, y, z, xs, ys, zs, zst, st, de_bad, ORQ_CC_STATUS_BAD_DECIMATION},
      {"more outputs than the range holds", x, y, z, xs, ys, zs_long, nullptr, st, de, ORQ_CC_STATUS_BAD_DECIMATION},
  };
  for (const auto& r : rows)
    EXPECT_EQ(_orqConvSSDirectAll_dec(2, r.x, r.xs, nullptr, r.y, r.ys, nullptr, r.z, r.zs, r.zst, r.st, r.de), r.status)
        << r.what;
  // Correlation ranges: lags 1 - nx .. ny - 1.
  const int32_t lag_lo[2] = {-2, -1}, lag_low_bad[2] = {-3, -1}, zs_one[2] = {1, 1};
  EXPECT_EQ(_orqCorrDDDirectAll_dec(2, reinterpret_cast<const double*>(z), xs, nullptr, reinterpret_cast<const double*>(z), ys,
                                    nullptr, reinterpret_cast<double*>(z), zs_one, nullptr, lag_lo, de), 0);
  EXPECT_EQ(_orqCorrSDDirectAll_dec(2, x, xs, nullptr, y, ys, nullptr, z, zs_one, nullptr, lag_low_bad, de), ORQ_CC_STATUS_BAD_START);
  for (int32_t rank : {0, 8})
    EXPECT_EQ(_orqConvSSDirectAll_dec(rank, x, xs, nullptr, y, ys, nullptr, z, zs, nullptr, st, de), ORQ_CC_STATUS_UNSUPPORTED);
}

}  // namespace
