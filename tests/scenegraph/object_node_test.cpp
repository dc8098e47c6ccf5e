#include "counting_obj.h"
#include "draw_log.h"
#include "support/glm_expect.h"

#include "scenegraph/object_node.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using scenegraph::ObjectNode;
using scenegraph::TransformationNode;
using testsupport::kFloatEq;
using testsupport::near;
using Log = std::vector<std::string>;

TEST(ObjectNode, GeometryAndChildrenArePlacedWithTheParentsMatrix) {
    CountingObj geometry;
    TransformationNode parent("parent", "TransformationNode");
    auto* object = adopt(parent, new ObjectNode("rock", "ObjectNode", &geometry));
    auto* below = adopt(*object, new TransformationNode("below", "TransformationNode"));
    parent.setPosition(glm::vec3(0, 5, 0));
    geometry.setPosition(glm::vec3(1, 0, 0));
    parent.update(0.0);
    EXPECT_EQ(object->modelMatrix, parent.globalModelMat);
    EXPECT_EQ(geometry.lastParentMat, parent.globalModelMat);
    EXPECT_TRUE(near(glm::vec3(geometry.globalModelMat[3]), glm::vec3(1, 5, 0), kFloatEq));
    EXPECT_FLOAT_EQ(below->globalModelMat[3][1], 5.0f);
}

TEST(ObjectNode, TopLevelUpdateHandsTheGeometryIdentity) {
    CountingObj geometry;
    ObjectNode object("moon", "ObjectNode", &geometry);
    object.modelMatrix = glm::mat4(3.0f);
    geometry.setPosition(glm::vec3(0, 0, -7));
    object.update(0.0);
    EXPECT_EQ(object.modelMatrix, glm::mat4(1.0f));
    EXPECT_FLOAT_EQ(geometry.globalModelMat[3][2], -7.0f);
}

// Children are drawn whatever their status; switched off, nothing is drawn,
// not even children switched on.
TEST(ObjectNode, DrawsGeometryAndEveryChildUnlessSwitchedOff) {
    CountingObj geometry;
    Log log;
    ObjectNode object("rock", "ObjectNode", &geometry);
    auto* hidden = adopt(object, new LoggingNode("hidden", &log));
    hidden->status = scenegraph::STATUS_HIDDEN;
    drawOnce(object);
    EXPECT_EQ(geometry.draws, 1);
    EXPECT_EQ(log, Log{"hidden"});

    object.setDrawStatus(0);
    hidden->setDrawStatus(1);
    drawOnce(object);
    EXPECT_EQ(geometry.draws, 1);
    EXPECT_EQ(log, Log{"hidden"});
}

TEST(ObjectNode, MissingGeometryStillWalksTheChildren) {
    Log log;
    TransformationNode parent("parent", "TransformationNode");
    auto* object = adopt(parent, new ObjectNode("empty", "ObjectNode", nullptr));
    adopt(*object, new LoggingNode("child", &log));
    parent.setPosition(glm::vec3(2, 0, 0));
    parent.update(0.0);
    object->update(0.0);
    drawOnce(parent);
    EXPECT_EQ(log, Log{"child"});
    EXPECT_EQ(object->getGeomObj(), nullptr);
}
