#include "camera.h"
#include "globals.h"

#include <gtest/gtest.h>

TEST(Camera, Defaults) {
    VRK::Camera camera;
    EXPECT_EQ(camera.eye.x, 0.0f);
    EXPECT_EQ(camera.eye.y, 3.0f);
    EXPECT_EQ(camera.eye.z, -5.0f);
    EXPECT_EQ(camera.at.x, 0.0f);
    EXPECT_EQ(camera.at.y, 0.0f);
    EXPECT_EQ(camera.at.z, 0.0f);
    EXPECT_EQ(camera.up.y, 1.0f);
    EXPECT_EQ(camera.fovY, 1.5707964f);
    EXPECT_EQ(camera.aspect, aspectRatio);
    EXPECT_EQ(camera.zNear, 0.1f);
    EXPECT_EQ(camera.zFar, 100.0f);
}

TEST(Camera, AspectIsCopiedAtConstruction) {
    float saved = aspectRatio;
    aspectRatio = 1.3333334f;
    VRK::Camera camera;
    aspectRatio = saved;
    EXPECT_EQ(camera.aspect, 1.3333334f);
    EXPECT_EQ(camera.ProjectionMatrix().m[0][0], 0.75f);
}

TEST(Camera, DefaultMatrices) {
    VRK::Camera camera;
    VMath::Matrix4x4 view = camera.ViewMatrix();
    EXPECT_NEAR(view.m[1][1], 0.857493f, 1e-6);
    EXPECT_NEAR(view.m[1][2], -0.514496f, 1e-6);
    EXPECT_NEAR(view.m[2][1], 0.514496f, 1e-6);
    EXPECT_NEAR(view.m[3][2], 5.830952f, 1e-6);
    VMath::Matrix4x4 projection = camera.ProjectionMatrix();
    EXPECT_EQ(projection.m[0][0], 0.8f);
    EXPECT_EQ(projection.m[1][1], 0.99999994f);
}

TEST(Camera, FieldsWrittenLaterTakeEffect) {
    VRK::Camera camera;
    camera.eye = VMath::Vector3D<float>(0, 0, -2);
    VMath::Matrix4x4 view = camera.ViewMatrix();
    EXPECT_EQ(view.m[3][2], 2.0f);
    EXPECT_EQ(view.m[1][1], 1.0f);
    camera.aspect = 2.0f;
    EXPECT_EQ(camera.ProjectionMatrix().m[0][0], 0.5f);

    // Eye on the looked-at point: a degenerate view, no failure.
    camera.eye = camera.at;
    VMath::Matrix4x4 degenerate = camera.ViewMatrix();
    EXPECT_EQ(degenerate.m[0][0], 0.0f);
    EXPECT_EQ(degenerate.m[2][2], 0.0f);
    EXPECT_EQ(degenerate.m[3][3], 1.0f);
}
